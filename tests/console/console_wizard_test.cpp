// The wizard on the terminal, as whole transcripts: its first screen, the
// keys of the usable controls, and how a run ends when the input does.
#include <gtest/gtest.h>

#include "app/wizard_dlg.h"
#include "console_test_support.h"
#include "res/strings.h"

namespace tpl {
namespace {

using test::ConsoleSession;
using test::ExpectScreens;

TEST(ConsoleWizard, FirstScreenShowsTheWelcomeAndOffersTheUsableControlsOnly) {
  ConsoleSession session("");
  session.KitFile("intro.txt", "Welcome to the Harbour theme pack, with two themes that suit "
                               "small firms and clubs alike.\r\n");
  CWizardDlg wizard(session.machine, session.ui);
  wizard.DoModal();
  // The kit's welcome, wrapped, then the wizard's own lines; hidden or
  // disabled: the readme box, the language list, the progress bar and its
  // caption, "Finish".
  ExpectScreens(session, "wizard_first_screen");
}

TEST(ConsoleWizard, EmptyInputCancelsThenFinishes) {
  ConsoleSession session("");
  session.KitFile("readme.txt", "Read me first.\r\n");
  CWizardDlg wizard(session.machine, session.ui);
  EXPECT_EQ(wizard.DoModal(), kIdOk);

  EXPECT_EQ(wizard.m_nEndScreenId, kIdsCancelled);
  // The end screen was shown before "Finish": its keys, the ticked readme
  // box; "Finish" with the box ticked shows the readme, read through the machine.
  ExpectScreens(session, "wizard_empty_input");
  EXPECT_EQ(session.machine.pauses(), std::vector<uint32_t>{1000});
}

TEST(ConsoleWizard, KeysWorkTheWizardAndUnusableOnesAreRefused) {
  // Finish is not usable yet; "l" clears the log box; Cancel; the readme box
  // cleared; Finish.
  ConsoleSession session("f\nl\nc\nv\nf\n");
  session.KitFile("readme.txt", "Read me first.\r\n");
  CWizardDlg wizard(session.machine, session.ui);
  EXPECT_EQ(wizard.DoModal(), kIdOk);

  ExpectScreens(session, "wizard_keys");
  EXPECT_EQ(wizard.m_bViewReadme, 0);
  EXPECT_EQ(session.Unread(), "");
}

}  // namespace
}  // namespace tpl
