// What the user sees of the wizard: the start screen, the end screen for
// every set of chosen versions, the about box from both of its doors,
// "Finish" with and without a readme, and a whole run of the application.
#include <gtest/gtest.h>

#include "app/wizard_app.h"
#include "res/strings.h"
#include "support/wizard_fixture.h"

namespace tpl::test {
namespace {

const char kOffice[] = "C:\\Program Files\\Microsoft Office";

void FrontPage2002(WizardFixture& f) {
  f.prefix.AddFrontPage(kFP2002, std::string(kOffice) + "\\Office10");
  f.prefix.AddFolder(std::string(kOffice) + "\\templates\\1033");
  f.Kit("common/Pages/welcome/welcome.htm", "<html></html>\r\n");
}

TEST(StartScreen, ShowsIntroAboutLogBoxAndNextOnlyUntilTheFirstNext) {
  WizardFixture f;
  FrontPage2002(f);
  f.Kit("intro.txt", "one\ntwo\nthree\nfour\nfive\nsix\nseven\n");
  f.Start();
  EXPECT_EQ(f.StatusText(), "one\ntwo\nthree\nfour\nfive\n\n" + LoadResString(kIdsIntro));
  EXPECT_EQ(f.controls().window().menu().back(),
            (std::pair<unsigned, std::string>{kScAbout, "&About Install..."}));
  f.Next();  // hides About and locks the log choice
  EXPECT_FALSE(f.control(kIdcAbout).IsVisible());
  EXPECT_FALSE(f.control(kIdcCreateLog).IsEnabled());
}

// The end screen names the log and tells how to start a web for each chosen
// version; Esc or the close box on it changes nothing.
TEST(EndScreen, HowToLinesFollowTheChosenVersions) {
  const std::string done =
      "The installation was successfully completed.\n"
      "Log file written to C:\\users\\tester\\Temp\\tplsetup.log\n\n"
      "Create a new starter web site using the web template:";
  const std::string fp2000 = "\nFP 2000: Go to File > New > Web.";
  const std::string fp2002 =
      "\nFP 2002: Go to File > New > Page or Web. Click on \"Web Site Templates\" in the right "
      "column.";
  const std::string fp2003 =
      "\nFP 2003: Go to File > New. Click on \"More Web Site Templates\" in the right column.  "
      "This template is listed under the \"My Templates\" tab";
  const struct { std::vector<int> versions; std::string text; } cases[] = {
      {{kFP98}, done},
      {{kFP2000}, done + fp2000},
      {{kFP2002}, done + fp2002},
      {{kFP2003}, done + fp2003},
      {{kFP98, kFP2000, kFP2002, kFP2003}, done + fp2000 + fp2002 + fp2003},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.versions));
    WizardFixture f;
    f.Kit("common/Pages/welcome/welcome.htm", "<html></html>\r\n");
    f.Kit("fp98/Pages/simple/simple.htm", "<html></html>\r\n");
    f.prefix.AddFrontPage(kFP98, "C:\\FrontPage").AddFrontPage(kFP2000, std::string(kOffice) + "\\Office");
    f.prefix.AddFrontPage(kFP2002, std::string(kOffice) + "\\Office10");
    f.prefix.AddFrontPage(kFP2003, std::string(kOffice) + "\\OFFICE11");
    f.ui.Queue(kIddVersions, [&c](DialogDriver& d) {
      const int ids[] = {kIdcFP98, kIdcFP2000, kIdcFP2002, kIdcFP2003};
      for (int version : c.versions) d.Click(ids[version]);
      d.Click(kIdOk);
    });
    f.Start();
    f.Next(3);
    ASSERT_EQ(f.wizard().m_nEndScreenId, kIdsSucceeded);
    EXPECT_EQ(f.StatusText(), c.text);
    f.wizard().OnCancel();
    EXPECT_EQ(f.wizard().m_nEndScreenId, kIdsSucceeded);
    EXPECT_EQ(f.StatusText(), c.text);
  }
}

TEST(AboutBox, ButtonAndSystemMenuOpenTheSameDialog) {
  WizardFixture f;
  f.Start();
  f.ui.SetDefault(kIddAbout, [](DialogDriver& d) { d.PressEnter(); });
  EXPECT_TRUE(f.wizard().OnSysCommand(kScAbout, 0));
  f.wizard().OnCommand(kIdcAbout);
  // The low four bits of a system command are the system's own.
  EXPECT_TRUE(f.wizard().OnSysCommand(kScAbout | 0x2, 0));
  EXPECT_FALSE(f.wizard().OnSysCommand(0xF060, 0));  // SC_CLOSE: the default handling
  EXPECT_EQ(f.ui.runs(kIddAbout), 3);
  EXPECT_EQ(f.wizard().m_nEndScreenId, 0);
}

// "View Readme file" is offered ticked when the kit has readme.txt; Finish
// opens it only while it stays ticked.
TEST(EndScreen, OffersTheReadmeAndFinishOpensItWhenTicked) {
  for (const bool untick : {false, true}) {
    SCOPED_TRACE(untick ? "unticked" : "ticked");
    WizardFixture f;
    f.Kit("readme.txt", "Read me.\r\n");
    f.Start();
    f.wizard().OnCancel();
    EXPECT_EQ(f.control(kIdcViewReadme).Check(), kBstChecked);
    if (untick) f.control(kIdcViewReadme).SetCheck(kBstUnchecked);
    f.wizard().OnOK();
    EXPECT_EQ(f.ui.openedFiles(), untick ? std::vector<std::string>{}
                                         : std::vector<std::string>{"readme.txt"});
    EXPECT_TRUE(f.wizard().IsEnded());
  }
}

TEST(WizardApp, RunsTheDialogOnceAndKeepsItsOutcome) {
  WizardFixture f;
  FrontPage2002(f);
  f.Start();  // the fixture's own wizard stays unused; the application builds its own
  int presses = 0;
  f.ui.Queue(kIddWizard, [&](DialogDriver& d) {
    while (d.Click(kIdcNext)) ++presses;  // until the end screen disables it
    d.PressEnter();                       // "Finish", now the default button
  });
  CWizardApp app(f.machine(), f.ui);
  EXPECT_FALSE(app.InitInstance());
  EXPECT_EQ(presses, 3);
  EXPECT_EQ(app.m_nEndScreenId, kIdsSucceeded);
  EXPECT_EQ(f.ui.runs(kIddWizard), 1);
}

TEST(WizardApp, ClosingTheWizardWithoutFinishEndsCancelled) {
  WizardFixture f;
  FrontPage2002(f);
  f.Start();
  f.ui.Queue(kIddWizard, [](DialogDriver& d) { d.Click(kIdcNext); });  // then the close box
  CWizardApp app(f.machine(), f.ui);
  EXPECT_FALSE(app.InitInstance());
  EXPECT_EQ(app.m_nEndScreenId, kIdsCancelled);
  EXPECT_EQ(f.machine().copies(), 0);
}

}  // namespace
}  // namespace tpl::test
