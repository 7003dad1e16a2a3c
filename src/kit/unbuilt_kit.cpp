// Placeholder until the kit room lands; delete this file when it does.
#include "app/wizard_dlg.h"

namespace tpl {
bool CWizardDlg::FindKitItems(std::string) { return false; }
bool CWizardDlg::CheckKit(std::string) { return true; }
std::string CWizardDlg::GetIntroText() { return ""; }
}  // namespace tpl
