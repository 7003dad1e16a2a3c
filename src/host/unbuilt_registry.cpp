// Placeholder until the registry reader lands; delete this file when it does.
#include "app/wizard_dlg.h"

namespace tpl {
bool CWizardDlg::ReadRegistryValue(std::string, std::string, std::string& out, int) {
  out.clear();
  return false;
}
}  // namespace tpl
