#include "app/wizard_dlg.h"

#include "app/about_dlg.h"
#include "record/install_recorder.h"
#include "res/strings.h"

namespace tpl {

CWizardDlg::CWizardDlg(Machine& machine, FrontEnd& frontEnd)
    : CDialog(kIddWizard, frontEnd), m_hIcon(kIdiApplication), m_machine(machine) {
  OnClicked(kIdcNext, [this] { OnNext(); });
  OnClicked(kIdcAbout, [this] { OnAbout(); });
}

CWizardDlg::~CWizardDlg() {
  // The theme records go first, then the lists are emptied; members follow.
  EmptyKitLists();
}

void CWizardDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, kIdcLanguage, m_comboLanguage);
  DDX_Control(pDX, kIdcAbout, m_btnAbout);
  DDX_Control(pDX, kIdcViewReadme, m_chkViewReadme);
  DDX_Control(pDX, kIdcProgress, m_progress);
  DDX_Control(pDX, kIdcProgressText, m_staticProgress);
  DDX_Control(pDX, kIdcCreateLog, m_chkCreateLog);
  DDX_Control(pDX, kIdCancel, m_btnCancel);
  DDX_Control(pDX, kIdcNext, m_btnNext);
  DDX_Control(pDX, kIdOk, m_btnFinish);
  DDX_Control(pDX, kIdcStatusText, m_staticText);
  DDX_Check(pDX, kIdcViewReadme, m_bViewReadme);
}

bool CWizardDlg::OnInitDialog() {
  CDialog::OnInitDialog();

  if (WindowPeer* window = Window(); window != nullptr && window->HasSystemMenu()) {
    const std::string about = LoadResString(kIdsAboutMenu);
    if (!about.empty()) {
      window->AppendSystemMenuSeparator();
      window->AppendSystemMenuItem(kScAbout, about);
    }
  }
  if (WindowPeer* window = Window(); window != nullptr) {
    window->SetIcon(m_hIcon, true);
    window->SetIcon(m_hIcon, false);
  }

  SetStatus(GetIntroText());

  m_progress.ShowWindow(false);
  m_staticProgress.ShowWindow(false);
  m_comboLanguage.ShowWindow(false);
  m_chkViewReadme.ShowWindow(false);
  m_btnFinish.EnableWindow(false);
  m_chkCreateLog.SetCheck(kBstChecked);

  GatherSystemInfo();

  m_btnNext.SetFocus();
  return false;
}

bool CWizardDlg::OnSysCommand(unsigned command, intptr_t) {
  if ((command & 0xFFF0) == kScAbout) {
    CAboutDlg about(frontEnd());
    about.DoModal();
    return true;
  }
  return false;
}

void CWizardDlg::OnAbout() { OnSysCommand(kScAbout, 0); }

void CWizardDlg::SetStatus(int stringId) { SetStatus(LoadResString(stringId)); }

void CWizardDlg::SetStatus(std::string text) { m_staticText.SetText(text); }

}  // namespace tpl
