// Whole runs of the wizard for one FrontPage version: the happy road and a
// damaged Application Data value. The logs are compared
// whole with the files in logs/, as the installer must write them.
#include <gtest/gtest.h>

#include "scenario_setup.h"

namespace tpl::test {
namespace {

TEST(SingleVersion, InstallsEveryItemAndLogsEachStep) {
  WizardFixture f;
  SmallKitOn2002(f);
  f.ui.Queue(kIddLicence, [](DialogDriver& d) {
    EXPECT_EQ(d.control(kIdcLicenceText).Text(), "Use it well.\r\n");  // CR LF for the edit box
    d.Click(kIdOk);
  });
  f.Start();
  f.Next();
  EXPECT_EQ(f.StatusText(),
            "The following themes and templates will be installed.\n\nThemes:\tBlue Version 1\n"
            "Page templates:  welcome\nWeb templates:   club\nFrame templates: (None)\n");
  f.Next();
  EXPECT_EQ(f.StatusText(), "Ready to install themes.\n\nClick Next to continue.");
  f.Next();

  EXPECT_EQ(f.wizard().m_nEndScreenId, kIdsSucceeded);
  ExpectLogFile(f, "scenarios/logs/fp2002_installed");
  EXPECT_EQ(Tree(f, kTemplates), (std::vector<std::string>{"1033/pages/welcome/welcome.htm",
                                                            "1033/webs/club/index.htm"}));
}

// An Application Data value of only "\\" is no folder at all.
const char kShellFolders[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

TEST(LogAndAppDataFaults, AppDataOfOnlyABackslashFailsLikeAMissingOne) {
  WizardFixture f;
  SmallKit(f);
  f.prefix.AddFrontPage(3, kOffice11);
  f.prefix.SetCurrentFrontPage(kOffice11);
  f.prefix.SetString(RegRoot::kCurrentUser, kShellFolders, "AppData", "\\");
  f.Start();
  f.Next();

  EXPECT_EQ(f.wizard().m_nEndScreenId, kIdsFailed);
  EXPECT_EQ(CountLines(f.LogLines(), "Failed to get Application Data directory from Registry"), 1u);
  EXPECT_EQ(Tree(f, "C:\\Microsoft"), std::vector<std::string>{});
}

}  // namespace
}  // namespace tpl::test
