// CWizardApp: the application object. Its whole life is one modal run of the
// wizard dialog; there is no message loop of its own.
#pragma once

#include <string>

#include "machine/machine.h"
#include "ui/front_end.h"

namespace tpl {

class CWizardDlg;

class CWizardApp {
 public:
  CWizardApp(Machine& machine, FrontEnd& frontEnd);

  // Builds the wizard, runs it modally and destroys it. Returns false, so
  // the program ends at once, whatever the dialog's result was.
  bool InitInstance();

  // --- Beyond the application's own state: the command line's settings,
  // given before InitInstance, and how the run ended, kept after it.
  bool m_bDryRun = false;
  std::string m_strKitKey;  // the kit's key: the installation is recorded under it
  int m_nEndScreenId = 0;   // the string id of the end screen shown, 0 for none
  bool m_bPlanShown = false;  // a dry run reached its copy plan
  // The log dropped during the run (0: it was not), and where it was.
  ErrorCode m_logLostError = kErrorSuccess;
  std::string m_strLogPath;
  // The wizard while it runs (MFC's main window), else nullptr.
  CWizardDlg* m_pMainWnd = nullptr;
  bool m_bCopiedSomething = false;  // a recorded file was written

 private:
  Machine& m_machine;
  FrontEnd& m_frontEnd;
};

}  // namespace tpl
