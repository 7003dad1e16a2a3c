// Destination folders per version and language: language folder discovery,
// the C-drive rule, and no folder formed without Application Data. The
// folders and log lines of every case are in target_folders.txt.
#include <gtest/gtest.h>

#include <functional>

#include "support/wizard_fixture.h"

namespace tpl::test {
namespace {

TEST(TargetFolders, PerVersionLanguageAndDrive) {
  const std::string en = "C:\\O\\templates\\1033\\";
  const struct {
    const char* name;
    std::function<void(PrefixBuilder&)> machine;
    int version;
    const char* root;
    const char* language;
    bool appData, found2003;
  } cases[] = {
      {"no language folder: English", [](PrefixBuilder&) {}, kFP2000, "C:\\O\\Office", "", true, false},
      {"none that counts: a file, no digits first, an unknown number",
       [](PrefixBuilder& p) {
         p.AddFile("C:\\O\\templates\\1031").AddFolder("C:\\O\\templates\\x1036");
         p.AddFolder("C:\\O\\templates\\Readme").AddFolder("C:\\O\\templates\\9999");
       },
       kFP2002, "C:\\O\\Office10", "", true, false},
      {"one language folder", [](PrefixBuilder& p) { p.AddFolder("C:\\O\\templates\\1031"); },
       kFP2002, "C:\\O\\Office10", "", true, false},
      {"no Common Files folder",
       [](PrefixBuilder& p) {
         p.RemoveValue(RegRoot::kLocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion",
                       "CommonFilesDir");
       },
       kFP2000, "C:\\O\\Office", "1033", true, false},
      {"templates only on C move there", [&](PrefixBuilder& p) { p.AddFolder(en + "pages"); },
       kFP2002, "D:\\O\\Office10", "1033", true, false},
      {"templates on D stay",
       [&](PrefixBuilder& p) { p.AddFolder(en + "pages").AddFolder("D:\\O\\templates\\1033\\pages"); },
       kFP2002, "D:\\O\\Office10", "1033", true, false},
      {"a lower-case drive C stays", [](PrefixBuilder&) {}, kFP2000, "c:\\o\\office", "1033", true,
       false},
      {"a network root", [](PrefixBuilder&) {}, kFP2000, "\\\\server\\o\\Office", "1033", true, false},
      {"FrontPage 2003 in the profile, DWTs in English", [](PrefixBuilder&) {}, kFP2003,
       "C:\\O\\OFFICE11", "1031", true, true},
      {"FrontPage 98 in its own folder", [](PrefixBuilder&) {}, kFP98, "C:\\FrontPage", "1033", false,
       true},
      {"FrontPage 2003 without Application Data", [](PrefixBuilder&) {}, kFP2003, "C:\\O\\OFFICE11",
       "1033", false, true},
      {"FrontPage 2002 beside 2003 without it", [](PrefixBuilder&) {}, kFP2002, "C:\\O\\Office10",
       "1033", false, true},
      {"FrontPage 2002 alone needs none", [](PrefixBuilder&) {}, kFP2002, "C:\\O\\Office10", "1033",
       false, false},
  };
  std::string out;
  for (const auto& c : cases) {
    WizardFixture f;
    f.prefix.AddDrive('d', f.tmp.path() + "/d");
    f.prefix.SetString(RegRoot::kLocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion",
                       "CommonFilesDir", "C:\\CF");
    c.machine(f.prefix);
    CWizardDlg& w = f.StartLogged();
    g_strAppDataPath = f.prefix.AppDataPath();
    w.m_bFoundAppData = c.appData;
    w.m_bFoundFP2003 = c.found2003;
    (c.version == kFP98     ? w.m_strRootFP98
     : c.version == kFP2000 ? w.m_strRootFP2000
     : c.version == kFP2002 ? w.m_strRootFP2002
                            : w.m_strRootFP2003) = c.root;
    w.m_nHostVersion = c.version;
    w.m_strLanguage = c.language;
    const bool resolved = w.ResolveTargetFolders();
    out += std::string("== ") + c.name + (resolved ? "" : ": failed") + "\nkit " +
           w.m_strKitVersionFolder + ", language " + w.m_strLanguage + "\nthemes " + w.m_strThemesDir +
           "\npages " + w.m_strPagesDir + "\nwebs " + w.m_strWebsDir + "\nframes " + w.m_strFramesDir +
           "\ndwts " + w.m_strDwtDir + "\n";
    for (const std::string& line : f.NewLogLines()) out += "log: " + line + "\n";
  }
  g_strAppDataPath.clear();
  ExpectDataFile(out, "host/target_folders.txt");
}

}  // namespace
}  // namespace tpl::test
