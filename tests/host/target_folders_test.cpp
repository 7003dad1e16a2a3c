// Destination folders per version and language: language folder discovery,
// the C-drive rule, and no folder formed without Application Data.
#include <gtest/gtest.h>

#include <functional>

#include "support/wizard_fixture.h"

namespace tpl::test {
namespace {

using Lines = std::vector<std::string>;

TEST(TargetFolders, PerVersionLanguageAndDrive) {
  const std::string shared = "C:\\CF\\Microsoft Shared\\themes", en = "C:\\O\\templates\\1033\\";
  const std::string profile = "C:\\users\\tester\\AppData\\Roaming\\Microsoft\\";
  const std::string moved = "FrontPage is installed on D drive, but templates must be installed on C drive.";
  const struct {
    const char* name;
    std::function<void(PrefixBuilder&)> machine;
    int version;
    std::string root, language;
    bool appData, found2003, resolved;
    // Themes, pages and frames folders (and the DWTs folder of FrontPage 2003), the kit folder and language.
    Lines folders;
    Lines log;
  } cases[] = {
      {"no language folder: English", [](PrefixBuilder&) {}, kFP2000, "C:\\O\\Office", "", true,
       false, true, {shared, en + "pages", en + "frames", "fp2000 1033"},
       {"No language folder found - using 1033"}},
      {"none that counts: a file, no digits first, an unknown number",
       [](PrefixBuilder& p) {
         p.AddFile("C:\\O\\templates\\1031").AddFolder("C:\\O\\templates\\x1036");
         p.AddFolder("C:\\O\\templates\\Readme").AddFolder("C:\\O\\templates\\9999");
       },
       kFP2002, "C:\\O\\Office10", "", true, false, true,
       {shared, en + "pages", en + "frames", "fp2000 1033"}, {"No language folder found - using 1033"}},
      {"one language folder", [](PrefixBuilder& p) { p.AddFolder("C:\\O\\templates\\1031"); },
       kFP2002, "C:\\O\\Office10", "", true, false, true,
       {shared, "C:\\O\\templates\\1031\\pages", "C:\\O\\templates\\1031\\frames", "fp2000 1031"},
       {"This system has language folder 1031 (German)"}},
      {"no Common Files folder",
       [](PrefixBuilder& p) {
         p.RemoveValue(RegRoot::kLocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion", "CommonFilesDir");
       },
       kFP2000, "C:\\O\\Office", "1033", true, false, false, {"", "", "", "fp2000 1033"},
       {"Failed to get Common Files directory from Registry"}},
      {"templates only on C move there", [&](PrefixBuilder& p) { p.AddFolder(en + "pages"); },
       kFP2002, "D:\\O\\Office10", "1033", true, false, true,
       {shared, en + "pages", en + "frames", "fp2000 1033"}, {moved}},
      {"templates on D stay", [&](PrefixBuilder& p) { p.AddFolder(en + "pages").AddFolder("D:\\O\\templates\\1033\\pages"); },
       kFP2002, "D:\\O\\Office10", "1033", true, false, true,
       {shared, "D:\\O\\templates\\1033\\pages", "D:\\O\\templates\\1033\\frames", "fp2000 1033"}, {}},
      {"a lower-case drive C stays", [](PrefixBuilder&) {}, kFP2000, "c:\\o\\office", "1033", true,
       false, true, {shared, "c:\\o\\templates\\1033\\pages", "c:\\o\\templates\\1033\\frames", "fp2000 1033"}, {}},
      {"a network root", [](PrefixBuilder&) {}, kFP2000, "\\\\server\\o\\Office", "1033", true, false,
       false, {shared, "\\\\server\\o\\templates\\1033\\pages", "\\\\server\\o\\templates\\1033\\frames", "fp2000 1033"},
       {"Page path has invalid format"}},
      {"FrontPage 2003 in the profile, DWTs in English", [](PrefixBuilder&) {}, kFP2003,
       "C:\\O\\OFFICE11", "1031", true, true, true,
       {profile + "Themes", profile + "FrontPage\\Pages", profile + "FrontPage\\Frames", en + "DWTs", "fp2000 1031"}, {}},
      {"FrontPage 98 in its own folder", [](PrefixBuilder&) {}, kFP98, "C:\\FrontPage", "1033", false,
       true, true, {"C:\\FrontPage\\themes", "C:\\FrontPage\\pages", "C:\\FrontPage\\frames", "fp98 1033"}, {}},
      {"FrontPage 2003 without Application Data", [](PrefixBuilder&) {}, kFP2003, "C:\\O\\OFFICE11",
       "1033", false, true, false, {"", "", "", "", "fp2000 1033"},
       {"Failed to get Application Data directory from Registry"}},
      {"FrontPage 2002 beside 2003 without it", [](PrefixBuilder&) {}, kFP2002, "C:\\O\\Office10",
       "1033", false, true, false, {"", "", "", "fp2000 1033"},
       {"Failed to get Application Data directory from Registry"}},
      {"FrontPage 2002 alone needs none", [](PrefixBuilder&) {}, kFP2002, "C:\\O\\Office10", "1033",
       false, false, true, {shared, en + "pages", en + "frames", "fp2000 1033"}, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WizardFixture f;
    f.prefix.AddDrive('d', f.tmp.path() + "/d");
    f.prefix.SetString(RegRoot::kLocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion",
                       "CommonFilesDir", "C:\\CF");
    c.machine(f.prefix);
    CWizardDlg& w = f.StartLogged();
    g_strAppDataPath = f.prefix.AppDataPath();
    w.m_bFoundAppData = c.appData;
    w.m_bFoundFP2003 = c.found2003;
    (c.version == kFP98 ? w.m_strRootFP98 : c.version == kFP2000 ? w.m_strRootFP2000
     : c.version == kFP2002 ? w.m_strRootFP2002 : w.m_strRootFP2003) = c.root;
    w.m_nHostVersion = c.version;
    w.m_strLanguage = c.language;
    EXPECT_EQ(w.ResolveTargetFolders(), c.resolved);
    Lines folders{w.m_strThemesDir, w.m_strPagesDir, w.m_strFramesDir};
    if (c.version == kFP2003) folders.push_back(w.m_strDwtDir);
    folders.push_back(w.m_strKitVersionFolder + " " + w.m_strLanguage);
    EXPECT_EQ(folders, c.folders);
    EXPECT_EQ(f.NewLogLines(), c.log);
  }
  g_strAppDataPath.clear();
}

}  // namespace
}  // namespace tpl::test
