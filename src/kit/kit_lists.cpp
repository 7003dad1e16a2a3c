#include "app/wizard_dlg.h"

namespace tpl {

void CWizardDlg::EmptyKitLists() {
  m_arrThemes.clear();  // releases the theme records
  m_arrPages.clear();
  m_arrWebs.clear();
  m_arrFrames.clear();
}

}  // namespace tpl
