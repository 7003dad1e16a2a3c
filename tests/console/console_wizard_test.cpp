// The wizard on the terminal, as whole transcripts: a whole installation by
// keys, and a run whose input ends at once.
#include <gtest/gtest.h>

#include "app/wizard_dlg.h"
#include "console_test_support.h"
#include "res/strings.h"
#include "scenarios/scenario_setup.h"

namespace tpl::test {
namespace {

std::string Clauses(int count) {
  std::string text;
  for (int i = 1; i <= count; ++i) text += "Clause " + std::to_string(i) + ".\r\n";
  return text;
}

// FrontPage 2000 (the current one), 2002 and 2003 with three Office
// languages; a kit with a welcome, a long licence and a readme in code page
// 1252, on a terminal of 20 rows (eight lines of licence a page).
TEST(ConsoleWizard, WholeInstallationByKeys) {
  ConsoleOptions options;
  options.rows = 20;
  const std::string input =
      "f\nl\nl\nn\n"           // Finish not usable yet; the log box cleared and ticked; Next
      "3\n\n1\n2\n\n"          // 2003 ticked (its note waits for Enter), 2000 cleared, 2002; OK
      "n\n"                    // the install plan
      "french\n4\n2\nn\n"      // the name picks, a number past the list picks nothing
      "\nb\n\n\n\n\n\nn\na\n"  // "b" pages back; on the last page Enter and "n" do not accept
      "n\nf\n";                // ready; the end screen's Finish shows the readme
  ConsoleSession session(input, options);
  session.f.prefix.AddFrontPage(kFP2000, kOffice).AddFrontPage(kFP2002, kOffice10);
  session.f.prefix.AddFrontPage(kFP2003, kOffice11).SetCurrentFrontPage(kOffice);
  for (const char* lcid : {"1033", "1031", "1036"}) {
    session.f.prefix.AddFolder(std::string(kTemplates) + "\\" + lcid);
  }
  session.f.Kit("intro.txt", "Welcome to the Harbour theme pack, with two themes that suit "
                             "small firms and clubs alike.\r\n");
  session.f.Kit("common/Themes/blue/blue.inf", "title=Blue\r\nversion=1\r\n");
  session.f.Kit("common/Pages/welcome/welcome.htm", "<html></html>\r\n");
  session.f.Kit("license.txt", Clauses(30));
  session.f.Kit("readme.txt", "Thanks for installing.\r\nEnjoy caf\xe9s.\r\n");
  ConsoleFrontEnd& ui = session.Start();
  CWizardDlg wizard(session.f.machine(), ui);
  EXPECT_EQ(wizard.DoModal(), kIdOk);

  EXPECT_EQ(wizard.m_nEndScreenId, kIdsSucceeded);
  EXPECT_NE(session.f.LogBytes(kLogPath).find("User chose to install for language LCID 1033"),
            std::string::npos);
  session.ExpectScreens("wizard_whole_installation");
  EXPECT_EQ(session.Unread(), "");
}

TEST(ConsoleWizard, EmptyInputCancelsThenFinishes) {
  ConsoleSession session("");
  session.f.Kit("readme.txt", "Read me first.\r\n");
  ConsoleFrontEnd& ui = session.Start();
  CWizardDlg wizard(session.f.machine(), ui);
  EXPECT_EQ(wizard.DoModal(), kIdOk);

  EXPECT_EQ(wizard.m_nEndScreenId, kIdsCancelled);
  // The end screen was shown before "Finish": its keys, the ticked readme
  // box; "Finish" with the box ticked shows the readme, read through the machine.
  session.ExpectScreens("wizard_empty_input");
  EXPECT_EQ(session.f.machine().pauses(), std::vector<uint32_t>{1000});
}

}  // namespace
}  // namespace tpl::test
