// What the user sees of the wizard: the start screen, the end screen, the
// about box from both of its doors, "Finish" with and without a readme, and
// a whole run of the application object.
#include <gtest/gtest.h>

#include "app/wizard_app.h"
#include "res/strings.h"
#include "support/wizard_fixture.h"

namespace tpl::test {
namespace {

const char kOffice10[] = "C:\\Program Files\\Microsoft Office\\Office10";

void FrontPage2002(WizardFixture& f) {
  f.prefix.AddFrontPage(2, kOffice10);
  f.prefix.AddFolder("C:\\Program Files\\Microsoft Office\\templates\\1033");
  f.Kit("common/Pages/welcome/welcome.htm", "<html></html>\r\n");
}

TEST(StartScreen, ShowsIntroAboutLogBoxAndNextOnlyUntilTheFirstNext) {
  WizardFixture f;
  FrontPage2002(f);
  f.Kit("intro.txt", "one\ntwo\nthree\nfour\nfive\nsix\nseven\n");
  f.Start();

  EXPECT_EQ(f.StatusText(), "one\ntwo\nthree\nfour\nfive\n\n" + LoadResString(kIdsIntro));
  for (int hidden : {kIdcProgress, kIdcProgressText, kIdcLanguage, kIdcViewReadme}) {
    EXPECT_FALSE(f.control(hidden).IsVisible()) << hidden;
  }
  EXPECT_EQ(f.control(kIdcViewReadme).Check(), kBstUnchecked);
  for (int usable : {kIdcAbout, kIdcCreateLog, kIdCancel, kIdcNext}) {
    EXPECT_TRUE(f.control(usable).IsVisible() && f.control(usable).IsEnabled()) << usable;
  }
  EXPECT_EQ(f.control(kIdcCreateLog).Check(), kBstChecked);
  EXPECT_FALSE(f.control(kIdOk).IsEnabled());
  EXPECT_EQ(f.controls().focusedId(), kIdcNext);
  EXPECT_TRUE(f.control(kIdcNext).ButtonStyle() & kBsDefPushButton);
  EXPECT_FALSE(f.control(kIdOk).ButtonStyle() & kBsDefPushButton);
  EXPECT_EQ(f.control(kIdcProgressText).Text(), "");

  // The system menu gains a separator and the about entry; both icons are set.
  ASSERT_EQ(f.controls().window().menu().size(), 2u);
  EXPECT_EQ(f.controls().window().menu()[0].first, 0u);
  EXPECT_EQ(f.controls().window().menu()[1],
            (std::pair<unsigned, std::string>{kScAbout, "&About Install..."}));
  EXPECT_EQ(f.controls().window().bigIcon(), kIdiApplication);
  EXPECT_EQ(f.controls().window().smallIcon(), kIdiApplication);
  EXPECT_EQ(f.wizard().m_nStep, 0);
  EXPECT_EQ(f.wizard().m_nEndScreenId, 0);

  // The first press hides About and locks the log choice.
  f.Next();
  EXPECT_FALSE(f.control(kIdcAbout).IsVisible());
  EXPECT_FALSE(f.control(kIdcCreateLog).IsEnabled());
  EXPECT_EQ(f.control(kIdcCreateLog).Check(), kBstChecked);
  EXPECT_TRUE(f.wizard().m_bLogEnabled);
}

TEST(AboutBox, ButtonAndSystemMenuOpenTheSameDialog) {
  WizardFixture f;
  f.Start();
  std::vector<std::string> versionTexts;
  f.ui.SetDefault(kIddAbout, [&](DialogDriver& d) {
    versionTexts.push_back(d.control(kIdcAboutVersion).Text());
    d.PressEnter();
  });

  EXPECT_TRUE(f.wizard().OnSysCommand(kScAbout, 0));
  f.wizard().OnCommand(kIdcAbout);  // the "About..." button, through the message map
  // The low four bits of a system command are the system's own.
  EXPECT_TRUE(f.wizard().OnSysCommand(kScAbout | 0x2, 0));
  EXPECT_EQ(f.ui.runs(kIddAbout), 3);
  EXPECT_EQ(versionTexts, std::vector<std::string>(3, LoadResString(kIdsTitleLine)));

  // Any other system command is left to the default handling.
  EXPECT_FALSE(f.wizard().OnSysCommand(0xF060, 0));  // SC_CLOSE
  EXPECT_EQ(f.ui.runs(kIddAbout), 3);
  EXPECT_EQ(f.wizard().m_nEndScreenId, 0);  // the wizard itself is untouched
  EXPECT_TRUE(f.control(kIdcNext).IsEnabled());
}

TEST(EndScreen, LeavesOnlyFinishUsableAsTheDefaultWithFocus) {
  WizardFixture f;
  FrontPage2002(f);
  f.Start();
  f.Next(3);  // no licence file: plan, ready, installed
  ASSERT_EQ(f.wizard().m_nEndScreenId, kIdsSucceeded);

  EXPECT_FALSE(f.control(kIdcNext).IsEnabled());
  EXPECT_FALSE(f.control(kIdcNext).ButtonStyle() & kBsDefPushButton);
  EXPECT_FALSE(f.control(kIdCancel).IsEnabled());
  EXPECT_TRUE(f.control(kIdOk).IsEnabled());
  EXPECT_TRUE(f.control(kIdOk).ButtonStyle() & kBsDefPushButton);
  EXPECT_EQ(f.controls().focusedId(), kIdOk);
  EXPECT_FALSE(f.control(kIdcViewReadme).IsVisible());  // the kit has no readme.txt
  EXPECT_FALSE(f.control(kIdcProgressText).IsVisible());
  EXPECT_EQ(f.machine().copies(), 1);

  f.wizard().OnOK();
  EXPECT_TRUE(f.wizard().IsEnded());
  EXPECT_EQ(f.wizard().Result(), kIdOk);
  EXPECT_TRUE(f.ui.openedFiles().empty());
  EXPECT_EQ(f.machine().pauses(), std::vector<uint32_t>{500});  // the copy's pause only
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
    EXPECT_TRUE(f.control(kIdcViewReadme).IsVisible());
    EXPECT_EQ(f.control(kIdcViewReadme).Check(), kBstChecked);
    if (untick) f.control(kIdcViewReadme).SetCheck(kBstUnchecked);
    f.wizard().OnOK();
    EXPECT_EQ(f.wizard().m_bViewReadme, untick ? 0 : 1);
    EXPECT_EQ(f.ui.openedFiles(), untick ? std::vector<std::string>{}
                                         : std::vector<std::string>{"readme.txt"});
    EXPECT_EQ(f.machine().pauses(), untick ? std::vector<uint32_t>{}
                                           : std::vector<uint32_t>{1000});
    EXPECT_TRUE(f.wizard().IsEnded());
  }
}

TEST(WizardApp, RunsTheDialogOnceAndKeepsItsOutcome) {
  WizardFixture f;
  FrontPage2002(f);
  f.Kit("readme.txt", "Read me.\r\n");
  f.Start();  // the fixture's own wizard stays unused; the application builds its own
  int presses = 0;
  f.ui.Queue(kIddWizard, [&](DialogDriver& d) {
    EXPECT_EQ(d.control(kIdOk).IsEnabled(), false);
    while (d.Click(kIdcNext)) ++presses;  // until the end screen disables it
    d.PressEnter();                       // "Finish", now the default button
  });
  CWizardApp app(f.machine(), f.ui);
  EXPECT_FALSE(app.InitInstance());

  EXPECT_EQ(presses, 3);
  EXPECT_EQ(app.m_nEndScreenId, kIdsSucceeded);
  EXPECT_FALSE(app.m_bPlanShown);
  EXPECT_EQ(f.ui.runs(kIddWizard), 1);
  EXPECT_EQ(f.ui.openedFiles(), std::vector<std::string>{"readme.txt"});
  EXPECT_EQ(ListHostTree(f.HostPath("C:\\Program Files\\Microsoft Office\\templates")),
            std::vector<std::string>{"1033/pages/welcome/welcome.htm"});
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
