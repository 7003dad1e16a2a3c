// Destination folders per version, language folder discovery, the C-drive
// rule, and the refusal to form folders without Application Data.
#include <gtest/gtest.h>

#include "host/host_fixture.h"

namespace tpl::test {
namespace {

const std::string kTemplates = kOffice + "\\templates";

// Resolves FrontPage 2000 or 2002 at `root` on a started wizard.
bool Resolve(CWizardDlg& w, int version, const std::string& root, const std::string& lcid = "") {
  (version == kFP2000 ? w.m_strRootFP2000 : w.m_strRootFP2002) = root;
  w.m_nHostVersion = version;
  w.m_strLanguage = lcid;
  return w.ResolveTargetFolders();
}

TEST(TargetFolders, WithoutAKnownLanguageFolderEnglishIsUsed) {
  for (bool withFolders : {false, true}) {
    HostFixture f;
    if (withFolders) {  // a file, a name without digits first, an unknown LCID
      f.prefix.AddFile(kTemplates + "\\1031").AddFolder(kTemplates + "\\x1036");
      f.prefix.AddFolder(kTemplates + "\\Readme").AddFolder(kTemplates + "\\9999");
    }
    CWizardDlg& w = f.StartLogged();
    EXPECT_TRUE(Resolve(w, kFP2000, kRoot2000)) << withFolders;
    EXPECT_EQ(w.m_strLanguage, "1033");
    EXPECT_TRUE(f.Logged("No language folder found - using 1033"));
    EXPECT_EQ(w.m_strPagesDir, kTemplates + "\\1033\\pages");
  }
}

TEST(TargetFolders, UnreadableCommonFilesFolderFails) {
  HostFixture f;
  f.prefix.RemoveValue(RegRoot::kLocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion",
                       "CommonFilesDir");
  CWizardDlg& w = f.StartLogged();
  EXPECT_FALSE(Resolve(w, kFP2000, kRoot2000, "1033"));
  EXPECT_TRUE(f.Logged("Failed to get Common Files directory from Registry"));
  EXPECT_EQ(w.m_strPagesDir, "");
}

TEST(TargetFolders, TemplatesMoveToDriveCOnlyWhenOnlyCHasThem) {
  const std::string moved =
      "FrontPage is installed on D drive, but templates must be installed on C drive.";
  for (const bool onD : {false, true}) {
    HostFixture f;
    f.prefix.AddDrive('d', f.tmp.path() + "/d");
    f.prefix.SetString(RegRoot::kLocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion",
                       "CommonFilesDir", "D:\\Common Files");
    f.prefix.AddFolder("C:\\Office\\templates\\1033\\pages");
    if (onD) f.prefix.AddFolder("D:\\Office\\templates\\1033\\pages");
    CWizardDlg& w = f.StartLogged();

    EXPECT_TRUE(Resolve(w, kFP2002, "D:\\Office\\Office10", "1033"));
    const std::string drive = onD ? "D" : "C";
    EXPECT_EQ(w.m_strPagesDir, drive + ":\\Office\\templates\\1033\\pages");
    EXPECT_EQ(w.m_strFramesDir, drive + ":\\Office\\templates\\1033\\frames");
    EXPECT_EQ(w.m_strThemesDir, "D:\\Common Files\\Microsoft Shared\\themes");
    EXPECT_EQ(f.Logged(moved), !onD);
  }
}

TEST(TargetFolders, ALowerCaseDriveCStaysAndANetworkRootFails) {
  HostFixture f;
  CWizardDlg& w = f.StartLogged();
  EXPECT_TRUE(Resolve(w, kFP2000, "c:\\office\\office", "1033"));
  EXPECT_EQ(w.m_strPagesDir, "c:\\office\\templates\\1033\\pages");

  EXPECT_FALSE(Resolve(w, kFP2000, "\\\\server\\office\\Office"));
  EXPECT_TRUE(f.Logged("Page path has invalid format"));
  EXPECT_EQ(w.m_strPagesDir, "\\\\server\\office\\templates\\1033\\pages");
}

TEST(TargetFolders, FrontPage2003And98KeepTheirOwnFolders) {
  HostFixture f;
  CWizardDlg& w = f.StartLogged();
  const std::string appData = f.prefix.AppDataPath();
  g_strAppDataPath = appData;
  w.m_bFoundAppData = true;
  w.m_strRootFP2003 = kRoot2003;
  w.m_strLanguage = "1031";
  w.m_nHostVersion = kFP2003;
  EXPECT_TRUE(w.ResolveTargetFolders());
  EXPECT_EQ(w.m_strKitVersionFolder, "fp2000");
  EXPECT_EQ(w.m_strThemesDir, appData + "\\Microsoft\\Themes");
  EXPECT_EQ(w.m_strPagesDir, appData + "\\Microsoft\\FrontPage\\Pages");
  EXPECT_EQ(w.m_strFramesDir, appData + "\\Microsoft\\FrontPage\\Frames");
  EXPECT_EQ(w.m_strDwtDir, kTemplates + "\\1033\\DWTs");

  w.m_strRootFP98 = "C:\\FrontPage";
  w.m_nHostVersion = kFP98;
  EXPECT_TRUE(w.ResolveTargetFolders());
  EXPECT_EQ(w.m_strKitVersionFolder, "fp98");
  EXPECT_EQ(w.m_strThemesDir, "C:\\FrontPage\\themes");
  EXPECT_EQ(w.m_strPagesDir, "C:\\FrontPage\\pages");
}

// Application Data missing, empty or refused: no folder is formed from it.
class WithoutAppData : public testing::TestWithParam<int> {};

TEST_P(WithoutAppData, FoldersThatNeedItAreRefusedAndTheWizardFails) {
  HostFixture f;
  f.prefix.AddFrontPage(kFP2002, kRoot2002).AddFrontPage(kFP2003, kRoot2003);
  f.prefix.SetCurrentFrontPage(kRoot2002);  // preselected; the dialog is closed with Esc
  if (GetParam() == 0) f.prefix.RemoveValue(RegRoot::kCurrentUser, kShellFolders, "AppData");
  if (GetParam() == 1) f.prefix.SetString(RegRoot::kCurrentUser, kShellFolders, "AppData", "");
  f.Start();
  if (GetParam() == 2) f.machine().FailOpenKey(kShellFolders, kErrorAccessDenied);
  CWizardDlg& w = f.wizard();

  f.Next();
  EXPECT_EQ(w.m_bInstallFP2002 + w.m_bInstallFP2003, 1);
  EXPECT_EQ(w.m_nEndScreenId, kIdsFailed);
  EXPECT_TRUE(f.Logged("Failed to get Application Data directory from Registry"));
  EXPECT_EQ(w.m_strThemesDir, "");

  w.m_nHostVersion = kFP2003;
  EXPECT_FALSE(w.ResolveTargetFolders());
  EXPECT_EQ(w.m_strPagesDir, "");
  w.m_bFoundFP2003 = false;  // FrontPage 2002 alone does not need it
  w.m_nHostVersion = kFP2002;
  EXPECT_TRUE(w.ResolveTargetFolders());
}

INSTANTIATE_TEST_SUITE_P(MissingEmptyRefused, WithoutAppData, testing::Values(0, 1, 2));

}  // namespace
}  // namespace tpl::test
