// Placeholder until the host room lands; delete this file when it does.
#include "app/wizard_dlg.h"

namespace tpl {
bool CWizardDlg::DetectFrontPage() { return false; }
bool CWizardDlg::ResolveTargetFolders() { return false; }
bool CWizardDlg::ResolveLanguageFolders() { return false; }
bool CWizardDlg::FillLanguageCombo() { return true; }
bool CWizardDlg::SetReadyStatus() { return true; }
void CWizardDlg::ChooseVersions() {}
}  // namespace tpl
