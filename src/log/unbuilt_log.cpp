// Placeholder until the log room lands; delete this file when it does.
#include "app/wizard_dlg.h"

namespace tpl {
void CWizardDlg::LogLine(std::string) {}
void CWizardDlg::OpenLog() {}
void CWizardDlg::CloseLog() {}
void CWizardDlg::GatherSystemInfo() {}
void CWizardDlg::ReportSystemError(std::string, std::string, ErrorCode) {}
}  // namespace tpl
