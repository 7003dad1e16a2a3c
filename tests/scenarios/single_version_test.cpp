// Whole runs of the wizard for one FrontPage version: the happy road, the
// licence answers, no FrontPage at all, and the log box unticked. The logs
// are compared whole with the files in logs/, as the installer must write them.
#include <gtest/gtest.h>

#include <cstdio>

#include "scenario_setup.h"

namespace tpl::test {
namespace {

TEST(SingleVersion, InstallsEveryItemAndLogsEachStep) {
  WizardFixture f;
  SmallKitOn2002(f);
  f.ui.Queue(kIddLicence, [](DialogDriver& d) {
    EXPECT_EQ(d.control(kIdcLicenceText).Text(), "Use it well.\r\n");
    d.Click(kIdOk);
  });
  f.Start();
  f.Next();
  EXPECT_EQ(f.StatusText(),
            "The following themes and templates will be installed.\n\nThemes:\tBlue Version 1\n"
            "Page templates:  welcome\nWeb templates:   club\nFrame templates: (None)\n");
  f.Next();
  EXPECT_EQ(f.StatusText(), kReady);
  f.Next();

  EXPECT_EQ(f.wizard().m_nEndScreenId, kIdsSucceeded);
  EXPECT_FALSE(f.control(kIdcProgressText).IsVisible());
  ExpectLogFile(f, "scenarios/logs/fp2002_installed");
  const std::string bytes = f.LogBytes();
  EXPECT_EQ(bytes.substr(bytes.size() - std::min<size_t>(4, bytes.size())), "\r\n\r\n");
  EXPECT_EQ(Tree(f, kShared), (std::vector<std::string>{"themes/blue/blue.css",
                                                         "themes/blue/blue.inf"}));
  EXPECT_EQ(Tree(f, kTemplates), (std::vector<std::string>{"1033/pages/welcome/welcome.htm",
                                                            "1033/webs/club/index.htm"}));
  EXPECT_EQ(ReadHostFile(f.HostPath(std::string(kShared) + "\\themes\\blue\\blue.inf")),
            "title=Blue\r\nversion=1\r\n");
  EXPECT_TRUE(Tree(f, f.prefix.AppDataPath()).empty());  // no 2003 folders without FrontPage 2003
  EXPECT_EQ(f.machine().pauses(), std::vector<uint32_t>{500});
  EXPECT_TRUE(f.ui.messageBoxes().empty());
}

// "Don't Accept" and Esc both refuse the licence.
TEST(SingleVersion, RefusedLicenceCopiesNothing) {
  for (const bool esc : {false, true}) {
    SCOPED_TRACE(esc ? "Esc" : "Don't Accept");
    WizardFixture f;
    SmallKit(f);
    FrontPage2002(f);
    f.ui.Queue(kIddLicence, [esc](DialogDriver& d) { esc ? d.Cancel() : void(d.Click(kIdCancel)); });
    f.Start();
    f.Next(2);
    EXPECT_EQ(f.StatusText(), kCancelledWithLog);
    EXPECT_EQ(f.wizard().m_nEndScreenId, kIdsCancelled);
    ExpectLogFile(f, "scenarios/logs/fp2002_licence_refused");
    EXPECT_EQ(f.machine().copies(), 0);
  }
}

TEST(SingleVersion, WithoutLicenceFileGoesStraightToReady) {
  WizardFixture f;
  SmallKit(f);
  std::remove((f.kitDir + "/license.txt").c_str());
  FrontPage2002(f);
  f.Start();
  f.Next(2);
  EXPECT_EQ(f.ui.runs(kIddLicence), 0);
  EXPECT_EQ(f.StatusText(), kReady);
  EXPECT_EQ(f.LogLines().back(), "No licence file supplied");
}

TEST(SingleVersion, NoFrontPageEndsOnTheFailureScreen) {
  WizardFixture f;
  SmallKit(f);
  f.Start();
  f.Next();
  ASSERT_EQ(f.ui.messageBoxes().size(), 1u);
  EXPECT_EQ(f.ui.messageBoxes()[0].text, "Installation Error.  FrontPage not found.");
  EXPECT_EQ(f.ui.messageBoxes()[0].type, kMbIconStop);
  EXPECT_EQ(f.StatusText(), kFailedWithLog);
  EXPECT_EQ(f.wizard().m_nEndScreenId, kIdsFailed);
  EXPECT_FALSE(f.control(kIdcNext).IsEnabled() || f.control(kIdCancel).IsEnabled());
  ExpectLogFile(f, "scenarios/logs/no_frontpage");
}

TEST(SingleVersion, UntickedLogBoxWritesNoLogAndNamesNone) {
  WizardFixture f;
  SmallKitOn2002(f);
  f.prefix.AddFile(kLogPath, "the log of an earlier run\r\n");
  f.Start();
  f.control(kIdcCreateLog).SetCheck(kBstUnchecked);
  f.Next(3);
  EXPECT_EQ(f.wizard().m_nEndScreenId, kIdsSucceeded);
  EXPECT_EQ(f.StatusText().rfind("The installation was successfully completed.\n\n", 0), 0u);
  EXPECT_EQ(ReadHostFile(f.HostPath(kLogPath)), "the log of an earlier run\r\n");
  EXPECT_EQ(Tree(f, kTemplates).size(), 2u);
}

// A log that can no longer be written is dropped at once: the installation
// goes on, and the end screen names no log.
TEST(SingleVersion, LogWriteFailureDropsTheLogAndTheInstallationGoesOn) {
  WizardFixture f;
  SmallKitOn2002(f);
  f.Start();
  f.machine().FailLogWrite(10, kErrorDiskFull);
  f.Next(3);
  EXPECT_EQ(f.wizard().m_nEndScreenId, kIdsSucceeded);
  EXPECT_FALSE(f.wizard().m_bLogEnabled);
  EXPECT_EQ(f.StatusText().find("Log file written to"), std::string::npos);
  EXPECT_FALSE(f.Logged("The installation was successfully completed."));
  EXPECT_EQ(Tree(f, kTemplates).size(), 2u);
}

}  // namespace
}  // namespace tpl::test
