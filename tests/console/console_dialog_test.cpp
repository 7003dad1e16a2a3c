// Dialogs on the terminal: the version dialog's toggles, the licence pager,
// the about box, message boxes, end of input, the readme.
#include <gtest/gtest.h>

#include "app/licence_dlg.h"
#include "app/version_dlg.h"
#include "app/wizard_dlg.h"
#include "console_test_support.h"
#include "res/strings.h"

namespace tpl {
namespace {

using test::ConsoleSession;
using test::Count;

// The version dialog as detection runs it: FrontPage 2000, 2002 and 2003
// found, 2000 the current one.
void FoundThree(CVersionDlg& dialog) {
  dialog.m_abEnabled[kFP98] = false;
  dialog.m_abEnabled[kFP2000] = dialog.m_abEnabled[kFP2002] = dialog.m_abEnabled[kFP2003] = true;
  dialog.m_nDefaultVersion = kFP2000;
}

const char kVersionScreen[] =
    "\n"
    "=== FrontPage Theme Installation ==============================================\n"
    "\n"
    "      Install has detected that you have more than one version of FrontPage\n"
    "                            installed on your system.\n"
    "\n"
    "  Choose where you wish to install the theme(s):\n"
    "\n"
    "      [ ] FrontPage 98  (not available)\n"
    "  1)  [x] FrontPage 2000\n"
    "  2)  [ ] FrontPage 2002\n"
    "  3)  [ ] FrontPage 2003\n"
    "\n"
    "     (You can repeat the installation for the other product(s) later, if you\n"
    "                                     wish.)\n"
    "\n"
    "  NOTE: FrontPage 2000 and FrontPage 2002 share the same folders for themes and\n"
    "  templates.  Installing for either of these versions will make them available\n"
    "  to the other.\n"
    "\n"
    "  o) OK (Enter)\n"
    "Your choice: ";

TEST(ConsoleDialog, VersionDialogIsANumberedListOfTogglesWithOk) {
  // 3 ticks FrontPage 2003 (its note waits for Enter), 1 clears 2000, OK.
  ConsoleSession session("3\n\n1\n\n");
  CVersionDlg dialog(session.ui);
  FoundThree(dialog);
  EXPECT_EQ(dialog.DoModal(), kIdOk);

  const std::string out = session.Output();
  EXPECT_EQ(out.substr(0, sizeof kVersionScreen - 1), kVersionScreen);
  EXPECT_NE(out.find("  This option will install the template under the 'My Templates' tab in"),
            std::string::npos);
  EXPECT_NE(out.find("  1)  [ ] FrontPage 2000\n"), std::string::npos);
  EXPECT_NE(out.find("  3)  [x] FrontPage 2003\n"), std::string::npos);
  EXPECT_EQ(dialog.m_nRadioFP98, -1);
  EXPECT_EQ(dialog.m_nRadioFP2000, -1);
  EXPECT_EQ(dialog.m_nRadioFP2002, -1);
  EXPECT_EQ(dialog.m_nRadioFP2003, 0);
  EXPECT_EQ(session.Unread(), "");
}

TEST(ConsoleDialog, EndOfInputIsEscAndKeepsTheDialogsStartingValues) {
  ConsoleSession session("2\n");  // ticks FrontPage 2002, then the input ends
  CVersionDlg dialog(session.ui);
  FoundThree(dialog);
  EXPECT_EQ(dialog.DoModal(), kIdCancel);
  EXPECT_EQ(dialog.m_nRadioFP2000, 0);
  EXPECT_EQ(dialog.m_nRadioFP2002, -1);  // not exchanged: Esc is not OK
  EXPECT_NE(session.Output().find("[end of input]"), std::string::npos);
}

std::string Clauses(int count) {
  std::string text;
  for (int i = 1; i <= count; ++i) text += "Clause " + std::to_string(i) + ".\r\n";
  return text;
}

TEST(ConsoleDialog, LicenceIsPagedAndOnlyItsKeyAccepts) {
  ConsoleOptions options;
  options.rows = 20;  // eight lines of text a page
  ConsoleSession session("\nb\n\n\n\n\n\na\n", options);
  CLicenceDlg dialog(session.ui);
  dialog.m_strLicence = Clauses(30);
  EXPECT_EQ(dialog.DoModal(), kIdOk);

  const std::string out = session.Output();
  EXPECT_NE(out.find("LICENCE AGREEMENT"), std::string::npos);
  EXPECT_NE(out.find("    Clause 1.\n    Clause 2.\n"), std::string::npos);
  EXPECT_NE(out.find("-- lines 1-8 of 30; Enter: next page --"), std::string::npos);
  EXPECT_NE(out.find("-- lines 9-16 of 30; Enter: next page; b: previous page --"),
            std::string::npos);
  EXPECT_NE(out.find("-- lines 25-30 of 30 (end); b: previous page --"), std::string::npos);
  // "b" went back to the first page, which was then shown a second time.
  EXPECT_EQ(Count(out, "-- lines 1-8 of 30"), 2);
  // Enter on the last page pages no further and does not accept.
  EXPECT_EQ(Count(out, "That is the end of the text"), 2);
  EXPECT_NE(out.find("d) Don't Accept   a) Accept\n"), std::string::npos);
  EXPECT_EQ(out.find("(Enter)"), std::string::npos);
}

}  // namespace
}  // namespace tpl
