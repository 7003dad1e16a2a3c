// Dialogs on the terminal beyond a whole run: Esc and the end of input,
// the licence refused, message boxes by icon, the readme on a terminal.
#include <gtest/gtest.h>

#include "app/licence_dlg.h"
#include "app/version_dlg.h"
#include "console_test_support.h"
#include "res/strings.h"

namespace tpl::test {
namespace {

// Typing "esc" or the Esc key, or the end of the input, is Esc: the version
// dialog (FrontPage 2000, 2002 and 2003 found, 2000 the current one) keeps
// its starting values.
TEST(ConsoleDialog, EscAndEndOfInputKeepTheDialogsStartingValues) {
  for (const char* input : {"2\n", "2\nEsc\n3\n", "2\n\x1b\n3\n"}) {  // FrontPage 2002 ticked first
    SCOPED_TRACE(input);
    ConsoleSession session(input);
    CVersionDlg dialog(session.Start());
    dialog.m_abEnabled[kFP2000] = dialog.m_abEnabled[kFP2002] = dialog.m_abEnabled[kFP2003] = true;
    dialog.m_nDefaultVersion = kFP2000;
    EXPECT_EQ(dialog.DoModal(), kIdCancel);
    EXPECT_EQ(dialog.m_nRadioFP2000, 0);
    EXPECT_EQ(dialog.m_nRadioFP2002, -1);  // not exchanged: Esc is not OK
    EXPECT_EQ(session.Unread(), std::string(input).size() > 2 ? "3\n" : "");
  }
}

TEST(ConsoleDialog, LicenceRefusedByKeyByNameOrByEndOfInput) {
  for (const char* input : {"d\n", "don't accept\n", "\n\n"}) {
    ConsoleSession session(input);  // no terminal size: the text is shown whole
    CLicenceDlg dialog(session.Start());
    for (int i = 1; i <= 40; ++i) dialog.m_strLicence += "Clause " + std::to_string(i) + ".\r\n";
    EXPECT_EQ(dialog.DoModal(), kIdCancel) << input;
    EXPECT_NE(session.out.str().find("    Clause 40.\n"), std::string::npos);
    EXPECT_EQ(session.out.str().find("-- lines"), std::string::npos);
  }
}

TEST(ConsoleDialog, MessageBoxWaitsForOneLineAndNamesItsIcon) {
  ConsoleSession session("\n\nnext answer\n");
  ConsoleFrontEnd& ui = session.Start();
  EXPECT_EQ(ui.ShowMessageBox("Installation Error.  FrontPage not found.", kMbIconStop), kIdOk);
  EXPECT_EQ(ui.ShowMessageBox("Careful", kMbIconExclamation), kIdOk);
  EXPECT_EQ(session.Unread(), "next answer\n");
  EXPECT_EQ(ui.ShowMessageBox("This option will install the template", kMbOk), kIdOk);
  session.ExpectScreens("message_boxes");
}

// On a terminal the readme goes to the pager, or is printed when the pager
// cannot be run; a missing readme is named.
TEST(ConsoleDialog, ReadmeIsPagedOnATerminal) {
  TempDir pagerDir;
  ConsoleOptions options;
  options.terminal = true;
  options.pager = "cat > " + pagerDir.path() + "/paged.txt";
  ConsoleSession paged("", options);
  paged.f.Kit("README.TXT", "Paged text\r\n");
  paged.Start().OpenTextFile("readme.txt");
  EXPECT_EQ(ReadHostFile(pagerDir.path() + "/paged.txt"), "Paged text\n");
  EXPECT_EQ(paged.out.str().find("Paged text"), std::string::npos);

  options.pager = pagerDir.path() + "/no-such-pager";
  ConsoleSession fallback("", options);
  fallback.f.Kit("readme.txt", "Printed instead\r\n");
  fallback.Start().OpenTextFile("readme.txt");
  EXPECT_NE(fallback.out.str().find("Printed instead"), std::string::npos);

  ConsoleSession missing("");
  missing.Start().OpenTextFile("readme.txt");
  EXPECT_NE(missing.out.str().find(
                "readme.txt cannot be shown: The system cannot find the file specified."),
            std::string::npos);
}

}  // namespace
}  // namespace tpl::test
