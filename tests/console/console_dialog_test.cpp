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
using test::ExpectScreens;

// The version dialog as detection runs it: FrontPage 2000, 2002 and 2003
// found, 2000 the current one.
void FoundThree(CVersionDlg& dialog) {
  dialog.m_abEnabled[kFP98] = false;
  dialog.m_abEnabled[kFP2000] = dialog.m_abEnabled[kFP2002] = dialog.m_abEnabled[kFP2003] = true;
  dialog.m_nDefaultVersion = kFP2000;
}

TEST(ConsoleDialog, VersionDialogIsANumberedListOfTogglesWithOk) {
  // 3 ticks FrontPage 2003 (its note waits for Enter), 1 clears 2000, OK.
  ConsoleSession session("3\n\n1\n\n");
  CVersionDlg dialog(session.ui);
  FoundThree(dialog);
  EXPECT_EQ(dialog.DoModal(), kIdOk);
  ExpectScreens(session, "version_dialog");
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
  // The name picks too; a number past the list picks nothing.
  ExpectScreens(session, "language_list");
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
  // "b" goes back to the first page; Enter on the last page pages no further
  // and does not accept.
  ExpectScreens(session, "licence_paged");
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
  ExpectScreens(session, "message_box_error");
  EXPECT_EQ(session.Unread(), "next answer\n");
  ConsoleSession warning("");
  EXPECT_EQ(warning.ui.ShowMessageBox("Careful", kMbIconExclamation), kIdOk);
  ExpectScreens(warning, "message_box_warning");
  ConsoleSession plain("\n");
  plain.ui.ShowMessageBox("This option will install the template", kMbOk);
  ExpectScreens(plain, "message_box_plain");
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
