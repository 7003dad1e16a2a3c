// Placeholder until the install room lands; delete this file when it does.
#include "app/wizard_dlg.h"

namespace tpl {
bool CWizardDlg::InstallFiles() { return false; }
int CWizardDlg::CopyFolder(std::string, std::string, bool) { return -1; }
bool CWizardDlg::CopyTree(std::string, std::string) { return false; }
bool CWizardDlg::CreateFolderPath(std::string) { return false; }
}  // namespace tpl
