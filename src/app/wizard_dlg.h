// CWizardDlg: the wizard dialog (template 102) and the holder of the whole
// installation state. Each room of the core implements its own operations
// of this class in its own files:
//   app/      construction, start-up, the step machine and end screen,
//             the version, licence and about dialogs
//   kit/      FindKitItems, CheckKit, GetIntroText
//   host/     ReadRegistryValue, DetectFrontPage, target folders
//   install/  InstallFiles, CopyFolder, CopyTree, CreateFolderPath
//   log/      the installation log, system facts, ReportSystemError
#pragma once

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "host/host_version.h"
#include "host/registry_keys.h"
#include "kit/language_table.h"
#include "kit/theme_info.h"
#include "machine/machine.h"
#include "res/dialogs.h"
#include "ui/controls.h"
#include "ui/dialog.h"
#include "ui/front_end.h"

namespace tpl {

struct InstallSession;
class InstallRecorder;

// The steps of the "Next >" state machine (m_nStep): what the next press does.
enum WizardStep : int {
  kStepDetect = 0,          // detect FrontPage, resolve and check each chosen version
  kStepChooseLanguage = 1,  // show the language combo box
  kStepTakeLanguage = 2,    // take the chosen language, then the licence
  kStepLicence = 3,         // the licence agreement
  kStepInstall = 4,         // copy the kit for each chosen version
};

// RegistryHive selectors of ReadRegistryValue.
constexpr int kHiveLocalMachine = 1;
constexpr int kHiveCurrentUser = 2;

class CWizardDlg : public CDialog {
 public:
  CWizardDlg(Machine& machine, FrontEnd& frontEnd);
  ~CWizardDlg() override;

  // --- Start-up and window handlers (app/wizard_dlg.cpp) --------------------
  bool OnInitDialog() override;
  bool OnSysCommand(unsigned command, intptr_t param) override;
  void OnAbout();
  void SetStatus(int stringId);
  void SetStatus(std::string text);

  // --- Step machine and end screen (app/step_machine.cpp) -------------------
  void OnNext();
  void ShowEndScreen(int stringId);
  void OnCancel() override;
  void OnOK() override;

  // --- Dialogs (app/) -------------------------------------------------------
  void ChooseVersions();
  bool ShowLicenceAgreement();

  // --- Kit (kit/) -----------------------------------------------------------
  bool FindKitItems(std::string strKitFolder);
  bool CheckKit(std::string strMode);
  std::string GetIntroText();
  void EmptyKitLists();  // empties the four item lists, releasing the theme records

  // --- Host (host/) ---------------------------------------------------------
  bool ReadRegistryValue(std::string strKey, std::string strValueName,
                         std::string& strOut, int nHive);
  bool DetectFrontPage();
  bool ResolveTargetFolders();
  bool HasLanguageFolders(const std::string& templatesRoot);
  bool ResolveLanguageFolders();
  bool FillLanguageCombo();
  bool SetReadyStatus();

  // --- Install (install/) ---------------------------------------------------
  bool InstallFiles();
  int CopyFolder(std::string strSource, std::string strDest, bool bCopy);
  bool CopyTree(std::string strSource, std::string strDest);
  bool CreateFolderPath(std::string strPath);

  // --- Log and errors (log/) ------------------------------------------------
  void LogLine(const std::string& strLine);
  void OpenLog();
  void CloseLog();
  void GatherSystemInfo();
  // Logs and shows a failed system call; `code` is the call's error code.
  void ReportSystemError(std::string strDescription, std::string strDetail,
                         ErrorCode code);

  // --- Members, in declaration order ---------------------------------------
  CComboBox m_comboLanguage;
  CButton m_btnAbout;
  CButton m_chkViewReadme;
  CProgressCtrl m_progress;
  CStatic m_staticProgress;
  CButton m_chkCreateLog;
  CButton m_btnCancel;
  CButton m_btnNext;
  CButton m_btnFinish;
  CStatic m_staticText;
  int m_bViewReadme = 0;
  int m_hIcon = 0;  // the application icon, resource 128
  int m_nStep = kStepDetect;
  int m_nHostVersion = kFP98;
  std::string m_strHostRoot;
  std::string m_strWindowsDir;
  std::string m_strKitVersionFolder;
  std::string m_strTemplatesRoot;
  std::string m_strThemesDir;
  std::string m_strPagesDir;
  std::string m_strWebsDir;
  std::string m_strFramesDir;
  std::string m_strDwtDir;
  std::string m_strLogPath;
  std::string m_strLanguage;
  // m_strLanguage was chosen on the language prompt, for every version whose
  // templates folder offered several languages.
  bool m_bLanguageChosen = false;
  // The version whose own templates folder settled m_strLanguage (-1: none yet).
  int m_nLanguageHostVersion = -1;
  bool m_bLogEnabled = false;
  bool m_bLogOpenTried = false;  // OpenLog ran once; the log is never opened twice
  bool m_bFoundFP98 = false;
  bool m_bFoundCurrent = false;
  bool m_bFoundFP2000 = false;
  bool m_bFoundFP2002 = false;
  bool m_bFoundFP2003 = false;
  bool m_bFoundAppData = false;
  int m_nCurrentVersion = kNoVersion;
  int m_bInstallFP98 = 0;
  int m_bInstallFP2000 = 0;
  int m_bInstallFP2002 = 0;
  int m_bInstallFP2003 = 0;
  std::string m_strRootFP2000;
  std::string m_strRootFP2002;
  std::string m_strRootFP2003;
  std::string m_strRootFP98;
  CLanguageTable m_tblLanguages;
  std::vector<std::unique_ptr<CThemeInfo>> m_arrThemes;  // owns its records
  std::vector<std::string> m_arrPages;
  std::vector<std::string> m_arrWebs;
  std::vector<std::string> m_arrFrames;
  std::vector<uint32_t> m_arrLangFolders;
  std::unique_ptr<LogWriter> m_fileLog;  // open exactly while set
  uint32_t m_dwPlatformId = 0;
  uint32_t m_dwMajorVersion = 0;
  uint32_t m_dwMinorVersion = 0;
  std::string m_strCSDVersion;
  std::string m_strUserName;

  // --- Beyond the wizard's own state -----------------------------------------
  Machine& machine() { return m_machine; }
  FrontEnd& ui() { return frontEnd(); }
  // The string id of the last end screen shown (0 while none was).
  int m_nEndScreenId = 0;
  // --dry-run: step 4 resolves each chosen version's folders and shows its
  // copy plan on the end screen instead of copying (app/dry_run.cpp).
  bool m_bDryRun = false;
  bool m_bPlanShown = false;  // the dry run's plan is on the end screen
  void ShowCopyPlan();
  // ResolveTargetFolders before installing m_nHostVersion: false, logged, when
  // its folders cannot be settled, a language still to choose included.
  bool ResolveInstallFolders();
  // Set while InstallFiles runs: the progress ticker and the kit searches its
  // walks share. Without one, CopyFolder steps the bar directly.
  InstallSession* m_pInstallSession = nullptr;
  // The kit folders that the copy plans of the chosen versions walk, noted
  // as each version's folders are resolved; checked before the first copy.
  std::set<std::string> m_kitFoldersToCopy;
  void NoteKitFoldersToCopy();
  // Whether every entry below those folders is a file or folder inside the
  // kit; the first one that is not is reported (kit/kit_containment.cpp).
  bool CheckKitContainment();
  // The kit folder listings as that check read them (install/install_session.h's
  // SearchMemo): the copy walks exactly what was checked, without listing it
  // again. Unset until the check ran.
  std::shared_ptr<Machine> m_pKitSearches;
  // Why the log was dropped during the run (a write failed, or the file was
  // removed meanwhile); 0 while it was not.
  ErrorCode m_logLostError = kErrorSuccess;
  // The bytes of the line being logged, kept with their room: a copy logs a
  // line per file.
  std::string m_logLineBytes;
  // Drops the log when its file was removed meanwhile.
  void CheckLogStillPresent();
  // A signal asked the run to stop: handled like Cancel, logged with the
  // signal's name (app/interrupted_run.cpp).
  void OnInterrupted(const std::string& signalName);
  // The kit's key (record/record_store.h); empty: the installation keeps no
  // record. The recorder exists from the first recorded copy on.
  std::string m_strKitKey;
  std::unique_ptr<InstallRecorder> m_pRecorder;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;

 private:
  Machine& m_machine;
};

}  // namespace tpl
