#include "app/wizard_app.h"

#include "app/wizard_dlg.h"
#include "record/install_recorder.h"

namespace tpl {

CWizardApp::CWizardApp(Machine& machine, FrontEnd& frontEnd)
    : m_machine(machine), m_frontEnd(frontEnd) {}

bool CWizardApp::InitInstance() {
  // Three-dimensional controls and the main-window pointer are the
  // framework's business; the dialog is the whole application.
  {
    CWizardDlg dlg(m_machine, m_frontEnd);
    dlg.m_bDryRun = m_bDryRun;
    m_pMainWnd = &dlg;
    dlg.m_strKitKey = m_strKitKey;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    m_nEndScreenId = dlg.m_nEndScreenId;
    m_bPlanShown = dlg.m_bPlanShown;
    m_logLostError = dlg.m_logLostError;
    m_strLogPath = dlg.m_strLogPath;
    m_bCopiedSomething = dlg.m_pRecorder && dlg.m_pRecorder->copiedSomething();
  }
  return false;
}

}  // namespace tpl
