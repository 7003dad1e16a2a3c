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

// Typing "esc" or the Esc key, or the end of the input, is Esc.
TEST(ConsoleDialog, EscAndEndOfInputKeepTheDialogsStartingValues) {
  for (const char* input : {"2\n", "2\nEsc\n3\n", "2\n\x1b\n3\n"}) {  // FrontPage 2002 ticked first
    SCOPED_TRACE(input);
    ConsoleSession session(input);
    CVersionDlg dialog(session.ui);
    FoundThree(dialog);
    EXPECT_EQ(dialog.DoModal(), kIdCancel);
    EXPECT_EQ(dialog.m_nRadioFP2000, 0);
    EXPECT_EQ(dialog.m_nRadioFP2002, -1);  // not exchanged: Esc is not OK
    EXPECT_EQ(session.Unread(), std::string(input).size() > 2 ? "3\n" : "");
  }
}

// Template 102 showing the language list as the language step fills it;
// "Finish" reads the chosen item's LCID.
class LanguageDialog : public CDialog {
 public:
  explicit LanguageDialog(FrontEnd& ui) : CDialog(kIddWizard, ui) {}
  bool OnInitDialog() override {
    CDialog::OnInitDialog();
    ControlPeer* combo = PeerOf(kIdcLanguage);
    combo->SetItemData(combo->AddString("English"), 1033);
    combo->SetItemData(combo->AddString("German"), 1031);
    combo->SetItemData(combo->AddString("French"), 1036);
    combo->SetCurSel(0);
    // A text that ends in line breaks leaves one blank line, not more.
    PeerOf(kIdcStatusText)->SetText(LoadResString(kIdsChooseLanguage) + "\n\n");
    PeerOf(kIdcProgress)->Show(false);
    return true;
  }
  void OnOK() override {
    ControlPeer* combo = PeerOf(kIdcLanguage);
    chosen = combo->ItemData(combo->CurSel());
    CDialog::OnOK();
  }
  uint32_t chosen = 0;
};

TEST(ConsoleDialog, LanguageListIsNumberedWithTheSelectionMarked) {
  ConsoleSession session("french\n4\n2\nfinish\n");
  LanguageDialog dialog(session.ui);
  EXPECT_EQ(dialog.DoModal(), kIdOk);
  EXPECT_EQ(dialog.chosen, 1031u);

  const std::string out = session.Output();
  EXPECT_NE(out.find("  Please select the language for your FrontPage installation.\n\n"
                     "  > 1)  English  (selected)\n"
                     "    2)  German\n"
                     "    3)  French\n"),
            std::string::npos);
  // The name picks too; a number past the list picks nothing.
  EXPECT_NE(out.find("  > 3)  French  (selected)\n"), std::string::npos);
  EXPECT_NE(out.find("    1)  English\n"
                     "  > 2)  German  (selected)\n"),
            std::string::npos);
  EXPECT_NE(out.find("\"4\" is not one of the choices shown."), std::string::npos);
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

TEST(ConsoleDialog, LicenceRefusedByKeyByNameOrByEndOfInput) {
  for (const char* input : {"d\n", "don't accept\n", "\n\n"}) {
    ConsoleSession session(input);  // no terminal size: the text is shown whole
    CLicenceDlg dialog(session.ui);
    dialog.m_strLicence = Clauses(40);
    EXPECT_EQ(dialog.DoModal(), kIdCancel) << input;
    EXPECT_NE(session.Output().find("    Clause 40.\n"), std::string::npos);
    EXPECT_EQ(session.Output().find("-- lines"), std::string::npos);
  }
}

TEST(ConsoleDialog, MessageBoxWaitsForOneLineAndNamesItsIcon) {
  ConsoleSession session("\nnext answer\n");
  EXPECT_EQ(session.ui.ShowMessageBox("Installation Error.  FrontPage not found.", kMbIconStop),
            kIdOk);
  const std::string out = session.Output();
  EXPECT_NE(out.find("--- FrontPage Theme Installation: Error ---"), std::string::npos);
  EXPECT_NE(out.find("  Installation Error.  FrontPage not found.\n"), std::string::npos);
  EXPECT_NE(out.find("Press Enter for OK."), std::string::npos);
  EXPECT_EQ(session.Unread(), "next answer\n");

  ConsoleSession warning("");
  EXPECT_EQ(warning.ui.ShowMessageBox("Careful", kMbIconExclamation), kIdOk);
  EXPECT_NE(warning.Output().find("FrontPage Theme Installation: Warning"), std::string::npos);
  EXPECT_NE(warning.Output().find("[end of input]"), std::string::npos);

  ConsoleSession plain("\n");
  plain.ui.ShowMessageBox("This option will install the template", kMbOk);
  EXPECT_NE(plain.Output().find("--- FrontPage Theme Installation ---"), std::string::npos);
}

TEST(ConsoleDialog, ReadmeIsPrintedOffATerminalAndPagedOnOne) {
  ConsoleSession printed("");
  printed.KitFile("readme.txt", "Thanks for installing.\r\nEnjoy caf\xe9s.\r\n");
  printed.ui.OpenTextFile("readme.txt");
  EXPECT_NE(printed.Output().find("--- readme.txt ---"), std::string::npos);
  EXPECT_NE(printed.Output().find("Thanks for installing.\nEnjoy caf\xc3\xa9s.\n"),
            std::string::npos);

  test::TempDir pagerDir;
  ConsoleOptions options;
  options.terminal = true;
  options.pager = "cat > " + pagerDir.path() + "/paged.txt";
  ConsoleSession paged("", options);
  paged.KitFile("README.TXT", "Paged text\r\n");
  paged.ui.OpenTextFile("readme.txt");
  EXPECT_EQ(test::ReadHostFile(pagerDir.path() + "/paged.txt"), "Paged text\n");
  EXPECT_EQ(paged.Output().find("Paged text"), std::string::npos);

  options.pager = pagerDir.path() + "/no-such-pager";
  ConsoleSession fallback("", options);
  fallback.KitFile("readme.txt", "Printed instead\r\n");
  fallback.ui.OpenTextFile("readme.txt");
  EXPECT_NE(fallback.Output().find("Printed instead"), std::string::npos);

  ConsoleSession missing("");
  missing.ui.OpenTextFile("readme.txt");
  EXPECT_NE(missing.Output().find(
                "readme.txt cannot be shown: The system cannot find the file specified."),
            std::string::npos);
}

}  // namespace
}  // namespace tpl
