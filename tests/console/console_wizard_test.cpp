// The wizard on the terminal: its first screen, the keys of the usable
// controls, the about box from the button and the system menu, and how a
// run ends when the input does.
#include <gtest/gtest.h>

#include "app/wizard_dlg.h"
#include "console_test_support.h"
#include "res/strings.h"
#include "ui/console/terminal_text.h"

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

TEST(ConsoleWizard, MainTextIsWrappedToTheTerminal) {
  ConsoleOptions options;
  options.columns = 40;
  ConsoleSession session("", options);
  CWizardDlg wizard(session.machine, session.ui);
  wizard.DoModal();
  // The end screen after end of input: the cancelled text and the keys, in
  // at most 39 columns.
  const std::string out = session.Output();
  EXPECT_NE(out.find("  " + LoadResString(kIdsCancelled) + "\n"), std::string::npos);
  size_t start = 0;
  while (start < out.size()) {
    const size_t end = out.find('\n', start);
    const std::string line = out.substr(start, end - start);
    EXPECT_LE(line.size(), 39u) << line;
    if (end == std::string::npos) break;
    start = end + 1;
  }
}

TEST(ConsoleWizard, TheMainTextIsShownAsTheWizardSetsIt) {
  ConsoleOptions options;
  options.columns = 50;
  ConsoleSession session("", options);
  CWizardDlg wizard(session.machine, session.ui);
  wizard.DoModal();
  // The controls stay readable after the run: the last screen shows the
  // end screen's text line by line, wrapped to the terminal.
  const std::string text = wizard.m_staticText.GetText();
  ASSERT_FALSE(text.empty());
  const std::string out = session.Output();
  const std::string lastScreen = out.substr(out.rfind("=== FrontPage Theme Installation"));
  for (const std::string& line : WrapText(text, 47)) {
    EXPECT_NE(lastScreen.find("\n  " + line + "\n"), std::string::npos) << line;
  }
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

TEST(ConsoleWizard, AboutFromTheButtonAndFromTheSystemMenuIsTheSameBox) {
  ConsoleSession session("a\no\ni\n\nc\nf\n");
  CWizardDlg wizard(session.machine, session.ui);
  EXPECT_EQ(wizard.DoModal(), kIdOk);
  const std::string out = session.Output();
  EXPECT_EQ(Count(out, "=== About Install ==="), 2);
  EXPECT_EQ(Count(out, LoadResString(kIdsTitleLine)), 2);
  // Back on the wizard after each.
  EXPECT_GE(Count(out, "=== FrontPage Theme Installation ==="), 3);
}

TEST(ConsoleWizard, NoFrontPageIsAnErrorBoxThenTheFailureScreen) {
  // The session's prefix has no FrontPage; the log box stays ticked.
  ConsoleSession session("n\n\nf\n");
  CWizardDlg wizard(session.machine, session.ui);
  EXPECT_EQ(wizard.DoModal(), kIdOk);

  const std::string text = session.Output();
  const size_t box = text.find("--- FrontPage Theme Installation: Error ---");
  ASSERT_NE(box, std::string::npos) << text;
  EXPECT_NE(text.find("  " + LoadResString(kIdsNotFound) + "\n", box), std::string::npos);
  // The failure screen comes after the box was answered.
  const size_t failed = text.find("  " + LoadResString(kIdsFailed) + "\n");
  EXPECT_GT(failed, box);
  EXPECT_NE(text.find("Log file written to C:\\users\\tester\\Temp\\tplsetup.log", failed),
            std::string::npos);
  EXPECT_EQ(text.find("[end of input]"), std::string::npos);
  EXPECT_EQ(wizard.m_nEndScreenId, kIdsFailed);
}

}  // namespace
}  // namespace tpl
