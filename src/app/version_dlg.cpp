#include "app/version_dlg.h"

#include "app/wizard_dlg.h"

namespace tpl {
namespace {

const char kMyTemplatesNote[] =
    "This option will install the template under the 'My Templates' tab in FrontPage 2003";
const char kLogChoice[] = "User chose to install for FrontPage ";

}  // namespace

CVersionDlg::CVersionDlg(FrontEnd& frontEnd) : CDialog(kIddVersions, frontEnd) {
  OnClicked(kIdcFP98, [this] { OnFP98(); });
  OnClicked(kIdcFP2000, [this] { OnFP2000(); });
  OnClicked(kIdcFP2002, [this] { OnFP2002(); });
  OnClicked(kIdcFP2003, [this] { OnFP2003(); });
}

void CVersionDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, kIdcFP98, m_btnFP98);
  DDX_Control(pDX, kIdcFP2000, m_btnFP2000);
  DDX_Control(pDX, kIdcFP2002, m_btnFP2002);
  DDX_Control(pDX, kIdcFP2003, m_btnFP2003);
  DDX_Radio(pDX, kIdcFP98, m_nRadioFP98);
  DDX_Radio(pDX, kIdcFP2000, m_nRadioFP2000);
  DDX_Radio(pDX, kIdcFP2002, m_nRadioFP2002);
  DDX_Radio(pDX, kIdcFP2003, m_nRadioFP2003);
}

bool CVersionDlg::OnInitDialog() {
  m_nToggleFP98 = -1;
  m_nToggleFP2000 = -1;
  m_nToggleFP2002 = -1;
  m_nToggleFP2003 = -1;
  CDialog::OnInitDialog();

  CButton* const buttons[] = {&m_btnFP98, &m_btnFP2000, &m_btnFP2002, &m_btnFP2003};
  int* const toggles[] = {&m_nToggleFP98, &m_nToggleFP2000, &m_nToggleFP2002, &m_nToggleFP2003};
  int* const radios[] = {&m_nRadioFP98, &m_nRadioFP2000, &m_nRadioFP2002, &m_nRadioFP2003};
  for (int version = kFP98; version <= kFP2003; ++version) {
    buttons[version]->EnableWindow(m_abEnabled[version]);
  }
  if (m_nDefaultVersion >= kFP98 && m_nDefaultVersion <= kFP2003) {
    buttons[m_nDefaultVersion]->SetCheck(kBstChecked);
    *toggles[m_nDefaultVersion] = 1;
    // Set without an exchange: closing with Esc keeps this choice.
    *radios[m_nDefaultVersion] = 0;
  }
  return true;
}

bool CVersionDlg::Toggle(CButton& button, int& toggle) {
  toggle = -toggle;
  button.SetCheck(toggle == 1 ? kBstChecked : kBstUnchecked);
  return toggle == 1;
}

void CVersionDlg::OnFP98() { Toggle(m_btnFP98, m_nToggleFP98); }
void CVersionDlg::OnFP2000() { Toggle(m_btnFP2000, m_nToggleFP2000); }
void CVersionDlg::OnFP2002() { Toggle(m_btnFP2002, m_nToggleFP2002); }

void CVersionDlg::OnFP2003() {
  if (Toggle(m_btnFP2003, m_nToggleFP2003)) AfxMessageBox(kMyTemplatesNote, kMbOk);
}

void CWizardDlg::ChooseVersions() {
  CVersionDlg dialog(frontEnd());
  dialog.m_abEnabled[kFP98] = m_bFoundFP98;
  dialog.m_abEnabled[kFP2000] = m_bFoundFP2000;
  dialog.m_abEnabled[kFP2002] = m_bFoundFP2002;
  dialog.m_abEnabled[kFP2003] = m_bFoundFP2003;
  dialog.m_nDefaultVersion = m_nCurrentVersion;
  dialog.DoModal();

  const int radios[] = {dialog.m_nRadioFP98, dialog.m_nRadioFP2000, dialog.m_nRadioFP2002,
                        dialog.m_nRadioFP2003};
  int* const installFlags[] = {&m_bInstallFP98, &m_bInstallFP2000, &m_bInstallFP2002,
                               &m_bInstallFP2003};
  std::string chosen;
  for (int version = kFP98; version <= kFP2003; ++version) {
    if (radios[version] != 0) continue;
    *installFlags[version] = 1;
    if (!chosen.empty()) chosen += ' ';
    chosen += kHostVersionNames[version];
  }
  LogLine(kLogChoice + chosen);
}

}  // namespace tpl
