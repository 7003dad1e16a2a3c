// The "Next >" state machine, the end screen, Cancel and Finish.
#include <cstdio>

#include "app/program.h"
#include "app/wizard_dlg.h"
#include "log/log_time.h"
#include "machine/interruption.h"
#include "machine/file_find.h"
#include "res/strings.h"

namespace tpl {
namespace {

const char* const kSelectedLines[] = {"98 selected", "2000 selected", "2002 selected",
                                      "2003 selected"};
const char kLogChoseLanguage[] = "User chose to install for language LCID ";
const char kLogCancelled[] = "User cancelled installation";
const char kPrintMode[] = "print";
const char kLogWrittenTo[] = "\nLog file written to ";
const char kStarterWeb[] = "\n\nCreate a new starter web site using the web template:";
const char kHowToFP2000[] = "\nFP 2000: Go to File > New > Web.";
const char kHowToFP2002[] =
    "\nFP 2002: Go to File > New > Page or Web. Click on \"Web Site Templates\" in the right "
    "column.";
const char kHowToFP2003[] =
    "\nFP 2003: Go to File > New. Click on \"More Web Site Templates\" in the right column.  "
    "This template is listed under the \"My Templates\" tab";
const char kLogLanguageUnsettled[] = "%s: no language was chosen for its templates";
const char kReadmeFile[] = "readme.txt";
constexpr uint32_t kNotepadWaitMs = 1000;

}  // namespace

void CWizardDlg::OnNext() {
  const int* const installFlags[] = {&m_bInstallFP98, &m_bInstallFP2000, &m_bInstallFP2002,
                                     &m_bInstallFP2003};
  switch (m_nStep) {
    case kStepDetect: {
      m_bLogEnabled = m_chkCreateLog.GetCheck() == kBstChecked;
      m_chkCreateLog.EnableWindow(false);
      m_btnAbout.ShowWindow(false);
      if (m_bLogEnabled) OpenLog();
      if (!DetectFrontPage()) return;
      m_kitFoldersToCopy.clear();
      // A later version's pass must not hide that an earlier one needs a language.
      bool languageAsked = false;
      for (int version = kFP98; version <= kFP2003; ++version) {
        if (!*installFlags[version]) continue;
        LogLine(kSelectedLines[version]);
        m_nHostVersion = version;
        const bool resolved = ResolveTargetFolders();
        NoteKitFoldersToCopy();
        const bool checked = CheckKit(kHostVersionNames[version]);
        if (!resolved || !checked) {
          ShowEndScreen(kIdsFailed);
          return;
        }
        languageAsked = languageAsked || m_nStep == kStepChooseLanguage;
      }
      if (languageAsked) m_nStep = kStepChooseLanguage;
      CheckKit(kPrintMode);
      return;
    }
    case kStepChooseLanguage:
      FillLanguageCombo();
      m_nStep = kStepTakeLanguage;
      return;
    case kStepTakeLanguage: {
      const int selection = m_comboLanguage.GetCurSel();
      const int lcid = selection == kCbErr ? kEnglishLcid
                                           : static_cast<int>(m_comboLanguage.GetItemData(selection));
      char text[16];
      std::snprintf(text, sizeof text, "%d", lcid);
      m_strLanguage = text;
      m_bLanguageChosen = true;
      m_comboLanguage.ShowWindow(false);
      LogLine(kLogChoseLanguage + m_strLanguage);
      [[fallthrough]];
    }
    case kStepLicence:
      if (ShowLicenceAgreement()) {
        SetReadyStatus();
        m_nStep = kStepInstall;
      } else {
        ShowEndScreen(kIdsCancelled);
      }
      return;
    case kStepInstall:
      if (!CheckKitContainment()) {
        ShowEndScreen(kIdsFailed);
        return;
      }
      if (m_bDryRun) {
        ShowCopyPlan();
        return;
      }
      for (int version = kFP98; version <= kFP2003; ++version) {
        if (!*installFlags[version]) continue;
        m_nHostVersion = version;
        if (!ResolveInstallFolders() || !InstallFiles()) {
          ShowEndScreen(kIdsFailed);
          return;
        }
      }
      m_staticProgress.ShowWindow(false);
      ShowEndScreen(kIdsSucceeded);
      return;
    default:
      return;
  }
}

bool CWizardDlg::ResolveInstallFolders() {
  const bool resolved = ResolveTargetFolders();
  // A version still asking for a language has no folders of its own yet:
  // copying now would fill the folders of the version resolved before it.
  const bool settled = m_nStep != kStepChooseLanguage;
  m_nStep = kStepInstall;
  if (resolved && !settled) {
    LogLine(FormatText(kLogLanguageUnsettled, HostName(m_nHostVersion).c_str()));
  }
  return resolved && settled;
}

void CWizardDlg::ShowEndScreen(int stringId) {
  m_nEndScreenId = stringId;
  const std::string message = LoadResString(stringId);
  CheckLogStillPresent();
  std::string text = message;
  if (m_bLogEnabled) text += kLogWrittenTo + m_strLogPath;
  if (stringId == kIdsSucceeded) {
    text += kStarterWeb;
    if (m_bInstallFP2000) text += kHowToFP2000;
    if (m_bInstallFP2002) text += kHowToFP2002;
    if (m_bInstallFP2003) text += kHowToFP2003;
  }
  SetStatus(text);

  CFileFind readme(machine());
  if (readme.FindFile(kReadmeFile)) {
    m_chkViewReadme.ShowWindow(true);
    m_chkViewReadme.SetCheck(kBstChecked);
    m_bViewReadme = 1;
  }

  // Only "Finish" (and the readme box) may act on an end screen, however it
  // was reached: Cancel on the intro or at the language prompt leaves these up.
  m_comboLanguage.ShowWindow(false);
  m_btnAbout.ShowWindow(false);
  m_chkCreateLog.EnableWindow(false);
  m_btnCancel.EnableWindow(false);
  m_btnNext.SetButtonStyle(m_btnNext.GetButtonStyle() & ~kBsDefPushButton, true);
  m_btnNext.EnableWindow(false);
  m_btnFinish.EnableWindow(true);
  m_btnFinish.SetButtonStyle(m_btnFinish.GetButtonStyle() | kBsDefPushButton, true);
  m_btnFinish.SetFocus();

  LogLine(message);
  CloseLog();
  // The outcome is final: a signal from now on only ends the program.
  SetImmediateExitStatus(ExitStatusForEndScreen(stringId));
  CheckInterruption();
}

void CWizardDlg::OnCancel() {
  // Once the end screen is up, Cancel is disabled; Esc or the close box then
  // must not turn a finished installation into "Installation cancelled.".
  if (m_nEndScreenId != 0) return;
  LogLine(kLogCancelled);
  ShowEndScreen(kIdsCancelled);
}

void CWizardDlg::OnOK() {
  m_bViewReadme = m_chkViewReadme.GetCheck();
  if (m_bViewReadme != 0) {
    ui().OpenTextFile(kReadmeFile);
    machine().Pause(kNotepadWaitMs);
  }
  CDialog::OnOK();
}

}  // namespace tpl
