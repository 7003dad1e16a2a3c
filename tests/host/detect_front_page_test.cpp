// Finding FrontPage: registry lookups, probe files, defaults and the count
// that decides whether the user is asked.
#include <gtest/gtest.h>

#include "host/host_fixture.h"

namespace tpl::test {
namespace {

using Lines = std::vector<std::string>;
const char kNoPrivilege[] =
    "You do not have sufficient privilege.\nPlease log on as an Administrator.";

TEST(DetectFrontPage, CurrentAtTheNewestOfTwoRootsOpensTheDialogWithItPreselected) {
  HostFixture f;
  f.prefix.AddFrontPage(kFP2002, kRoot2002).AddFrontPage(kFP2003, kRoot2003);
  f.prefix.SetCurrentFrontPage(kRoot2003);
  f.ui.Queue(kIddVersions, [](DialogDriver& d) {
    EXPECT_EQ(d.control(kIdcFP2003).Check(), kBstChecked);
    EXPECT_EQ(d.control(kIdcFP2002).Check(), kBstUnchecked);
    EXPECT_FALSE(d.control(kIdcFP98).IsEnabled());
    EXPECT_TRUE(d.control(kIdcFP2002).IsEnabled());
    d.PressEnter();
  });
  CWizardDlg& w = f.StartLogged();

  EXPECT_TRUE(w.DetectFrontPage());
  EXPECT_EQ(f.LogFrom("Checking FrontPage installation..."),
            (Lines{"Checking FrontPage installation...", "Looking for FP98",
                   "Looking for current version of FrontPage",
                   "A current version was found at: " + kRoot2003,
                   "Current FP200x version found and verified", "Looking for FP2000",
                   "Looking for FP2002", "FP2002 found, verify executable",
                   "FP2002 found and verified", "Looking for FP2003",
                   "FP2003 found, verify executable", "FP2003 found and verified",
                   "Looking for Application Data Path",
                   "FrontPage Current Version found in " + kRoot2003,
                   "Current version is FrontPage 2003", "FrontPage 2002 found in " + kRoot2002,
                   "FrontPage 2003 found in " + kRoot2003,
                   "Common Application data path " + f.prefix.AppDataPath(),
                   "More than one version found, asking which versions to install to.",
                   "User chose to install for FrontPage 2003", ""}));
  EXPECT_EQ(f.ui.runs(kIddVersions), 1);
  EXPECT_EQ(w.m_nCurrentVersion, kFP2003);
  EXPECT_EQ((std::vector<int>{w.m_bInstallFP98, w.m_bInstallFP2000, w.m_bInstallFP2002,
                              w.m_bInstallFP2003}),
            (std::vector<int>{0, 0, 0, 1}));
  EXPECT_TRUE(w.m_bFoundAppData);
  EXPECT_TRUE(f.ui.messageBoxes().empty());
}

TEST(DetectFrontPage, CurrentMatchingNoRootIsTakenAsFrontPage2000WithoutAsking) {
  HostFixture f;
  const std::string current = "C:\\Program Files\\FrontPage";
  f.prefix.SetCurrentFrontPage(current);
  CWizardDlg& w = f.StartLogged();

  EXPECT_TRUE(w.DetectFrontPage());
  EXPECT_EQ(f.LogFrom("Looking for Application Data Path"),
            (Lines{"Looking for Application Data Path",
                   "Registry lookups failed, but did find a current version",
                   "FrontPage Current Version found in " + current,
                   "Cannot determine current version - assuming FP2000",
                   "Common Application data path " + f.prefix.AppDataPath(),
                   "Only one version found, so just assume to install to this.", ""}));
  EXPECT_EQ(w.m_strRootFP2000, current);
  EXPECT_EQ(w.m_bInstallFP2000, 1);
  EXPECT_EQ(w.m_nHostVersion, kFP2000);
  EXPECT_EQ(f.ui.runs(kIddVersions), 0);
}

TEST(DetectFrontPage, RootsMatchTheCurrentOneIgnoringCase) {
  HostFixture f;
  f.prefix.AddFrontPage(kFP2000, kRoot2000);
  f.prefix.SetCurrentFrontPage("c:\\program files\\microsoft office\\office", false);
  CWizardDlg& w = f.StartLogged();

  EXPECT_TRUE(w.DetectFrontPage());
  EXPECT_TRUE(w.m_bFoundCurrent);  // its probe found through the other spelling
  EXPECT_TRUE(f.Logged("Current version is FrontPage 2000"));
  EXPECT_EQ(w.m_strRootFP2000, kRoot2000);
  EXPECT_EQ(f.ui.runs(kIddVersions), 0);  // one version plus its current never asks
}

TEST(DetectFrontPage, FrontPage98WithoutKitItemsIsNeitherFoundNorOffered) {
  HostFixture f;
  f.prefix.AddFrontPage(kFP98, "C:\\Program Files\\Microsoft FrontPage");
  f.prefix.AddFrontPage(kFP2002, kRoot2002);
  f.Kit("fp2000/Pages/news/index.htm");
  CWizardDlg& w = f.StartLogged();
  w.m_arrPages.push_back("stale");
  w.m_arrThemes.push_back(std::make_unique<CThemeInfo>("old", "Old", 1.0));

  EXPECT_TRUE(w.DetectFrontPage());
  const Lines fp98 = f.LogFrom("Looking for FP98");
  ASSERT_GE(fp98.size(), 5u);
  EXPECT_EQ(Lines(fp98.begin(), fp98.begin() + 5),
            (Lines{"Looking for FP98", "FP98 found, verify executable",
                   "Searching fp98\\Themes\\*.*",
                   "FrontPage 98 not allowed because nothing in the kit",
                   "Looking for current version of FrontPage"}));
  EXPECT_EQ(w.m_bInstallFP98, 0);
  EXPECT_EQ(w.m_nHostVersion, kFP2002);
  EXPECT_TRUE(w.m_arrThemes.empty() && w.m_arrPages.empty());
}

TEST(DetectFrontPage, FrontPage98WithKitItemsCountsAndNoVersionIsPreselected) {
  HostFixture f;
  f.prefix.AddFrontPage(kFP98, "C:\\FrontPage").AddFrontPage(kFP2000, kRoot2000);
  f.Kit("fp98/Themes/blue/blue.inf", "title=Blue\n");
  f.ui.Queue(kIddVersions, [](DialogDriver& d) {
    for (int id : {kIdcFP98, kIdcFP2000, kIdcFP2002, kIdcFP2003}) {
      EXPECT_EQ(d.control(id).Check(), kBstUnchecked) << id;
    }
    d.Click(kIdcFP98);
    d.PressEnter();
  });
  CWizardDlg& w = f.StartLogged();

  EXPECT_TRUE(w.DetectFrontPage());
  EXPECT_TRUE(f.Logged("FP98 found and verified"));
  EXPECT_TRUE(w.m_arrThemes.empty());  // the probe's listing is not kept
  EXPECT_EQ(w.m_nCurrentVersion, kNoVersion);
  EXPECT_EQ(w.m_bInstallFP98, 1);
  EXPECT_EQ(w.m_bInstallFP2000, 0);
}

TEST(DetectFrontPage, AMissingProbeUnderTheCurrentRootVerifiesNothingThere) {
  HostFixture f;
  f.prefix.AddFrontPage(kFP2002, kRoot2002, false).AddFrontPage(kFP2003, kRoot2003);
  f.prefix.SetCurrentFrontPage(kRoot2002, false);
  CWizardDlg& w = f.StartLogged();

  EXPECT_TRUE(w.DetectFrontPage());
  EXPECT_TRUE(f.Logged("Although a current version should have been found, not verified"));
  EXPECT_FALSE(f.Logged("FP2002 found and verified"));
  EXPECT_EQ(w.m_nCurrentVersion, kNoVersion);
  EXPECT_EQ(w.m_bInstallFP2002, 0);
  EXPECT_EQ(w.m_bInstallFP2003, 1);
  EXPECT_EQ(f.ui.runs(kIddVersions), 0);
}

TEST(DetectFrontPage, NothingFoundTellsTheUserAndEndsTheWizard) {
  HostFixture f;
  CWizardDlg& w = f.StartLogged();

  EXPECT_FALSE(w.DetectFrontPage());
  ASSERT_EQ(f.ui.messageBoxes().size(), 1u);
  EXPECT_EQ(f.ui.messageBoxes()[0].text, "Installation Error.  FrontPage not found.");
  EXPECT_EQ(f.ui.messageBoxes()[0].type, kMbIconStop);
  EXPECT_EQ(w.m_nEndScreenId, kIdsFailed);
  EXPECT_FALSE(w.m_fileLog);
  EXPECT_EQ(f.LogFrom("Looking for FP2003"),
            (Lines{"Looking for FP2003", "Looking for Application Data Path",
                   "No FrontPage installation found",
                   "Installation failed. Please check the log file.",
                   "Log file closed on DD-Mon-YYYY at HH:MM:SS", ""}));
}

TEST(DetectFrontPage, EachRefusedKeyShowsThePrivilegeBoxOnceAndCountsAsMissing) {
  HostFixture f;
  f.prefix.AddFrontPage(kFP2002, kRoot2002).AddFrontPage(kFP2003, kRoot2003);
  CWizardDlg& w = f.StartLogged();
  f.machine().FailOpenKey("Software\\Microsoft\\Office\\10.0\\Common\\InstallRoot",
                          kErrorAccessDenied);
  f.machine().FailOpenKey(kShellFolders, kErrorAccessDenied);

  EXPECT_TRUE(w.DetectFrontPage());
  ASSERT_EQ(f.ui.messageBoxes().size(), 2u);
  for (const auto& box : f.ui.messageBoxes()) {
    EXPECT_EQ(box.text, kNoPrivilege);
    EXPECT_EQ(box.type, kMbIconStop);
  }
  EXPECT_EQ(w.m_strRootFP2002, "fatal");
  EXPECT_FALSE(w.m_bFoundFP2002);
  EXPECT_FALSE(w.m_bFoundAppData);
  EXPECT_TRUE(f.Logged("Common Application data path fatal"));
  EXPECT_EQ(f.ui.runs(kIddVersions), 0);  // only FP2003 was verified
  EXPECT_EQ(w.m_bInstallFP2003, 1);
}

TEST(DetectFrontPage, RootValuesLoseOneFinalBackslashAndAreExpanded) {
  HostFixture f;
  f.prefix.SetString(RegRoot::kLocalMachine,
                     "Software\\Microsoft\\Office\\10.0\\Common\\InstallRoot", "Path",
                     kRoot2002 + "\\");
  f.prefix.AddFile(kRoot2002 + "\\frontpg.exe");
  f.prefix.SetExpandString(RegRoot::kLocalMachine,
                           "Software\\Microsoft\\Office\\11.0\\Common\\InstallRoot", "Path",
                           "%USERPROFILE%\\Office11\\");
  f.prefix.AddFile("C:\\users\\tester\\Office11\\frontpg.exe");
  f.prefix.SetCurrentFrontPage("", false);  // an empty value counts as none
  CWizardDlg& w = f.StartLogged();

  EXPECT_TRUE(w.DetectFrontPage());
  EXPECT_EQ(w.m_strRootFP2002, kRoot2002);
  EXPECT_EQ(w.m_strRootFP2003, "C:\\users\\tester\\Office11");
  EXPECT_TRUE(w.m_bFoundFP2002 && w.m_bFoundFP2003);
  EXPECT_FALSE(w.m_bFoundCurrent);
  EXPECT_EQ(f.ui.runs(kIddVersions), 1);
}

}  // namespace
}  // namespace tpl::test
