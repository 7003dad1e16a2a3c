// The screens target folder resolution puts up: the language choice and the
// ready-to-install text.
#include "app/wizard_dlg.h"
#include "log/log_time.h"
#include "res/strings.h"

namespace tpl {
namespace {
const char kLanguageItemFormat[] = "%s (%d)";
}  // namespace

bool CWizardDlg::FillLanguageCombo() {
  SetStatus(kIdsChooseLanguage);
  m_comboLanguage.ShowWindow(true);
  m_comboLanguage.ResetContent();
  for (const uint32_t lcid : m_arrLangFolders) {
    const int id = static_cast<int>(lcid);
    const std::string name = m_tblLanguages.GetLanguageName(id);
    const int index = m_comboLanguage.AddString(FormatText(kLanguageItemFormat, name.c_str(), id));
    m_comboLanguage.SetItemData(index, lcid);
  }
  m_comboLanguage.SetCurSel(0);
  m_arrLangFolders.clear();
  return true;
}

bool CWizardDlg::SetReadyStatus() {
  SetStatus(kIdsReady);
  return true;
}

}  // namespace tpl
