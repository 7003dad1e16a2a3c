// The wizard on the terminal: its first screen, the keys of the usable
// controls, the about box from the button and the system menu, and how a
// run ends when the input does.
#include <gtest/gtest.h>

#include "app/wizard_dlg.h"
#include "console_test_support.h"
#include "res/strings.h"

namespace tpl {
namespace {

using test::ConsoleSession;
using test::Count;

// The first screen: everything up to the first prompt.
std::string FirstScreen(const std::string& out) { return out.substr(0, out.find("Your choice: ")); }

TEST(ConsoleWizard, FirstScreenShowsTheWelcomeAndOffersTheUsableControlsOnly) {
  ConsoleSession session("");
  session.KitFile("intro.txt",
                              "Welcome to the Harbour theme pack, with two themes that suit "
                              "small firms and clubs alike.\r\n");
  CWizardDlg wizard(session.machine, session.ui);
  wizard.DoModal();
  const std::string screen = FirstScreen(session.Output());

  EXPECT_NE(screen.find("=== FrontPage Theme Installation ==="), std::string::npos);
  // The kit's welcome, wrapped, then the wizard's own lines.
  EXPECT_NE(screen.find("\n  Welcome to the Harbour theme pack, with two themes that suit small firms "
                        "and\n  clubs alike.\n\n"
                        "  This program will install your new theme(s).\n"
                        "  Ensure that Microsoft FrontPage is not running,\n"),
            std::string::npos)
      << screen;
  EXPECT_NE(screen.find("  l)  [x] Create log file\n"), std::string::npos);
  EXPECT_NE(screen.find("  a) About...   c) Cancel   n) Next > (Enter)   i) About Install...\n"),
            std::string::npos);
  // Hidden or disabled: the readme box, the language list, the progress bar
  // and its caption, "Finish".
  EXPECT_EQ(screen.find("Readme"), std::string::npos);
  EXPECT_EQ(screen.find("Finish"), std::string::npos);
  EXPECT_EQ(screen.find("["), screen.find("[x] Create log file"));
  EXPECT_EQ(screen.find("Progress"), std::string::npos);  // the group box has no line
}

TEST(ConsoleWizard, EmptyInputCancelsThenFinishes) {
  ConsoleSession session("");
  session.KitFile("readme.txt", "Read me first.\r\n");
  CWizardDlg wizard(session.machine, session.ui);
  EXPECT_EQ(wizard.DoModal(), kIdOk);

  const std::string out = session.Output();
  EXPECT_EQ(wizard.m_nEndScreenId, kIdsCancelled);
  EXPECT_EQ(Count(out, "[end of input]"), 2);
  // The end screen was shown before "Finish": its keys, the ticked readme box.
  EXPECT_NE(out.find("  f) Finish (Enter)"), std::string::npos);
  EXPECT_NE(out.find("  v)  [x] View Readme file\n"), std::string::npos);
  // "Finish" with the box ticked shows the readme, read through the machine.
  EXPECT_NE(out.find("Read me first."), std::string::npos);
  EXPECT_EQ(session.machine.pauses(), std::vector<uint32_t>{1000});
}

TEST(ConsoleWizard, KeysWorkTheWizardAndUnusableOnesAreRefused) {
  // Finish is not usable yet; "l" clears the log box; Cancel; the readme box
  // cleared; Finish.
  ConsoleSession session("f\nl\nc\nv\nf\n");
  session.KitFile("readme.txt", "Read me first.\r\n");
  CWizardDlg wizard(session.machine, session.ui);
  EXPECT_EQ(wizard.DoModal(), kIdOk);

  const std::string out = session.Output();
  EXPECT_NE(out.find("\"Finish\" is not available now."), std::string::npos);
  EXPECT_NE(out.find("  l)  [ ] Create log file\n"), std::string::npos);
  EXPECT_NE(out.find("  v)  [ ] View Readme file\n"), std::string::npos);
  EXPECT_EQ(out.find("Read me first."), std::string::npos);
  EXPECT_EQ(wizard.m_bViewReadme, 0);
  EXPECT_EQ(out.find("[end of input]"), std::string::npos);
  EXPECT_EQ(session.Unread(), "");
}

}  // namespace
}  // namespace tpl
