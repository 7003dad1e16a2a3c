// Whole runs of the wizard for one FrontPage version: the happy road, a kit
// without a licence, a damaged Application Data value. The logs are compared
// whole with the files in logs/, as the installer must write them.
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

// An Application Data value of only "\\" is no folder at all.
const char kShellFolders[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

TEST(LogAndAppDataFaults, AppDataOfOnlyABackslashFailsLikeAMissingOne) {
  for (const bool onlyBackslash : {true, false}) {
    SCOPED_TRACE(onlyBackslash ? "value \"\\\"" : "no value");
    WizardFixture f;
    SmallKit(f);
    f.prefix.AddFrontPage(3, kOffice11);
    f.prefix.SetCurrentFrontPage(kOffice11);
    f.prefix.SetString(RegRoot::kCurrentUser, kShellFolders, "AppData", onlyBackslash ? "\\" : "");
    f.Start();
    f.Next();

    EXPECT_EQ(f.wizard().m_nEndScreenId, kIdsFailed);
    EXPECT_EQ(CountLines(f.LogLines(), "Failed to get Application Data directory from Registry"), 1u);
    EXPECT_EQ(Tree(f, "C:\\Microsoft"), std::vector<std::string>{});
  }
}

}  // namespace
}  // namespace tpl::test
