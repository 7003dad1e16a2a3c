// Reading the registry and finding FrontPage (what the registry and the probe
// files say decides which versions are found, which one is preselected, and
// whether the user is asked), then the destination folders per version and
// language: language folder discovery, the C-drive rule, and no folder formed
// without Application Data (folders and log lines in target_folders.txt).
#include <gtest/gtest.h>

#include <cctype>

#include "res/strings.h"
#include "support/wizard_fixture.h"

namespace tpl::test {
namespace {

const std::string kOffice = "C:\\Program Files\\Microsoft Office";
const std::string kRoot2000 = kOffice + "\\Office", kRoot2002 = kOffice + "\\Office10",
                  kRoot2003 = kOffice + "\\OFFICE11";

// Four flags as "0"/"1", FrontPage 98 first.
std::string Flags(bool a, bool b, bool c, bool d) { return {"01"[a], "01"[b], "01"[c], "01"[d]}; }

TEST(ReadRegistryValue, EachRuleOfTheReader) {
  const char kKey[] = "Software\\Microsoft\\Test\\Key";
  const std::string appData = "C:\\users\\tester\\AppData\\Roaming\\";  // 31 characters and '\'
  // A value stored under `name` (type 0: none), asked for in lower case -> the text read ("": not
  // read). The text, expanded or not, may hold 259 characters, not 260.
  const struct { const char* name; uint32_t type; std::string data, out; } cases[] = {
      {"Plain", kRegSz, "C:\\Program Files\\O", "C:\\Program Files\\O"},
      {"One", kRegSz, "C:\\Office10\\", "C:\\Office10"},
      {"Two", kRegSz, "C:\\Office10\\\\", "C:\\Office10\\"},  // only one removed
      {"Slash", kRegSz, "\\", ""},                             // names no folder
      {"Temp", kRegExpandSz, "%SystemRoot%\\TEMP\\", "C:\\windows\\TEMP"},
      {"Unknown", kRegExpandSz, "%NO_SUCH_VAR%\\x", "%NO_SUCH_VAR%\\x"},
      {"ExpandFits", kRegExpandSz, "%APPDATA%\\" + std::string(227, 'a'), appData + std::string(227, 'a')},
      {"ExpandLong", kRegExpandSz, "%APPDATA%\\" + std::string(228, 'a'), ""},
      {"Fits", kRegSz, std::string(259, 'f'), std::string(259, 'f')},
      {"TooLong", kRegSz, std::string(260, 'l'), ""},
      {"Number", kRegDword, "", ""}, {"Binary", kRegBinary, "C:\\x", ""},
      {"Empty", kRegSz, "", ""}, {"Missing", 0, "", ""},
  };
  WizardFixture f;
  const RegRoot hklm = RegRoot::kLocalMachine;
  for (const auto& c : cases) {
    if (c.type == kRegSz) f.prefix.SetString(hklm, kKey, c.name, c.data);
    if (c.type == kRegExpandSz) f.prefix.SetExpandString(hklm, kKey, c.name, c.data);
    if (c.type == kRegDword) f.prefix.SetDword(hklm, kKey, c.name, 42);
    if (c.type == kRegBinary) f.prefix.SetRaw(hklm, kKey, c.name, kRegBinary, c.data);
  }
  f.prefix.SetString(RegRoot::kCurrentUser, kKey, "User", "D:\\mine");
  f.prefix.SetString(hklm, "Software\\Microsoft\\Refused", "Path", "C:\\x");
  f.Start();
  f.machine().FailOpenKey("Software\\Microsoft\\Refused", kErrorAccessDenied);
  const auto read = [&f](const char* key, std::string name, int hive, const std::string& expected) {
    for (char& letter : name) letter = static_cast<char>(std::tolower(letter));
    std::string out = "stale";
    EXPECT_EQ(f.wizard().ReadRegistryValue(key, name, out, hive), !expected.empty()) << name;
    EXPECT_EQ(out, expected) << name;
  };
  for (const auto& c : cases) read("Test\\Key", c.name, kHiveLocalMachine, c.out);
  read("Test\\Key", "User", kHiveLocalMachine, "");  // hive 1 is HKEY_LOCAL_MACHINE
  read("Test\\Key", "User", kHiveCurrentUser, "D:\\mine");
  read("No\\Such\\Key", "Path", kHiveLocalMachine, "");
  // A refused key shows the privilege box, each time, and yields "fatal" (read as false).
  for (size_t time = 1; time <= 2; ++time) {
    std::string out;
    EXPECT_FALSE(f.wizard().ReadRegistryValue("Refused", "Path", out, kHiveLocalMachine));
    EXPECT_EQ(out, "fatal");
    ASSERT_EQ(f.ui.messageBoxes().size(), time);
  }
  EXPECT_EQ(f.ui.messageBoxes()[1].text,
            "You do not have sufficient privilege.\nPlease log on as an Administrator.");
  EXPECT_EQ(f.ui.messageBoxes()[1].type, kMbIconStop);
}

TEST(DetectFrontPage, RegistryFactsDecideFoundPreselectedAndAsked) {
  const char* const kKey2002 = "Software\\Microsoft\\Office\\10.0\\Common\\InstallRoot";
  const std::string kRoots[] = {"C:\\FP98", kRoot2000, kRoot2002, kRoot2003};
  // FrontPage 98 ... 2003 each with an install root: '-' none, 'p' with its program file, 'n'
  // without; the current FrontPage's root (nullptr: none) and its program file; a kit file.
  // Found and preselected (ticked when the dialog opens, Enter keeps them, or chosen unasked)
  // as '1' per version; refused: the keys of FrontPage 2002 and Application Data.
  const struct Case { const char *name, *roots, *current; bool currentProbe; const char *kit, *found,
                      *preselected; bool asked, refused; } cases[] = {
      {"current is the newest of two", "--pp", kRoot2003.c_str(), true, "", "0011", "0001", true, false},
      {"two roots and no current one", "-pp-", nullptr, true, "", "0110", "0000", true, false},
      {"a current one matching no root is FrontPage 2000", "----", "C:\\Program Files\\FrontPage", true,
       "", "0000", "0100", false, false},
      {"roots match the current one ignoring case", "-p--",
       "c:\\program files\\microsoft office\\office", false, "", "0100", "0100", false, false},
      {"FrontPage 98 without kit items", "p-p-", nullptr, true, "fp2000/Pages/news/index.htm", "0010",
       "0010", false, false},
      {"FrontPage 98 with kit items", "pp--", nullptr, true, "fp98/Themes/blue/blue.inf", "1100",
       "0000", true, false},
      {"a missing probe verifies nothing", "--np", kRoot2002.c_str(), false, "", "0001", "0001", false,
       false},
      {"refused keys count as missing", "--pp", nullptr, true, "", "0001", "0001", false, true},
      // Roots lose one final backslash and are expanded; an empty current value counts as none.
      {"", "----", "", false, "", "0011", "0000", true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WizardFixture f;
    std::string ticked;
    f.ui.Queue(kIddVersions, [&ticked](DialogDriver& d) {
      ticked = Flags(d.control(kIdcFP98).Check(), d.control(kIdcFP2000).Check(),
                     d.control(kIdcFP2002).Check(), d.control(kIdcFP2003).Check());
      d.PressEnter();
    });
    for (int version = 0; version < 4; ++version) {
      if (c.roots[version] != '-') f.prefix.AddFrontPage(version, kRoots[version], c.roots[version] == 'p');
    }
    if (c.current) f.prefix.SetCurrentFrontPage(c.current, c.currentProbe);
    if (*c.kit) f.Kit(c.kit, "title=Blue\n");
    if (!*c.name) {
      f.prefix.SetString(RegRoot::kLocalMachine, kKey2002, "Path", kRoot2002 + "\\");
      f.prefix.AddFile(kRoot2002 + "\\frontpg.exe");
      f.prefix.SetExpandString(RegRoot::kLocalMachine, "Software\\Microsoft\\Office\\11.0\\Common\\InstallRoot",
                               "Path", "%USERPROFILE%\\Office11\\");
      f.prefix.AddFile("C:\\users\\tester\\Office11\\frontpg.exe");
    }
    f.StartLogged();
    if (c.refused) {
      f.machine().FailOpenKey(kKey2002, kErrorAccessDenied);
      f.machine().FailOpenKey("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                              kErrorAccessDenied);
    }
    EXPECT_TRUE(f.wizard().DetectFrontPage());
    const CWizardDlg& w = f.wizard();
    EXPECT_EQ(Flags(w.m_bFoundFP98, w.m_bFoundFP2000, w.m_bFoundFP2002, w.m_bFoundFP2003), c.found);
    EXPECT_EQ(f.ui.runs(kIddVersions), c.asked ? 1 : 0);
    const std::string installs =
        Flags(w.m_bInstallFP98, w.m_bInstallFP2000, w.m_bInstallFP2002, w.m_bInstallFP2003);
    EXPECT_EQ(c.asked ? ticked : installs, c.preselected);
    EXPECT_EQ(f.ui.messageBoxes().size(), c.refused ? 2u : 0u);
  }
}

TEST(TargetFolders, PerVersionLanguageAndDrive) {
  // (name, version, root, language, Application Data found, FrontPage 2003 found, machine setup)
  const struct { const char* name; int version; const char *root, *language;
                 bool appData, found2003; void (*machine)(PrefixBuilder&); } cases[] = {
      {"no language folder: English", kFP2000, "C:\\O\\Office", "", true, false, nullptr},
      {"none that counts: a file, no digits first, an unknown number", kFP2002, "C:\\O\\Office10",
       "", true, false, [](PrefixBuilder& p) {
         p.AddFile("C:\\O\\templates\\1031").AddFolder("C:\\O\\templates\\x1036");
         p.AddFolder("C:\\O\\templates\\Readme").AddFolder("C:\\O\\templates\\9999");
       }},
      {"one language folder", kFP2002, "C:\\O\\Office10", "", true, false,
       [](PrefixBuilder& p) { p.AddFolder("C:\\O\\templates\\1031"); }},
      {"no Common Files folder", kFP2000, "C:\\O\\Office", "1033", true, false,
       [](PrefixBuilder& p) {
         p.RemoveValue(RegRoot::kLocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion",
                       "CommonFilesDir");
       }},
      {"templates only on C move there", kFP2002, "D:\\O\\Office10", "1033", true, false,
       [](PrefixBuilder& p) { p.AddFolder("C:\\O\\templates\\1033\\pages"); }},
      {"templates on D stay", kFP2002, "D:\\O\\Office10", "1033", true, false,
       [](PrefixBuilder& p) {
         p.AddFolder("C:\\O\\templates\\1033\\pages").AddFolder("D:\\O\\templates\\1033\\pages");
       }},
      {"a lower-case drive C stays", kFP2000, "c:\\o\\office", "1033", true, false, nullptr},
      {"a network root", kFP2000, "\\\\server\\o\\Office", "1033", true, false, nullptr},
      {"FrontPage 2003 in the profile, DWTs in English", kFP2003, "C:\\O\\OFFICE11", "1031", true,
       true, nullptr},
      {"FrontPage 98 in its own folder", kFP98, "C:\\FrontPage", "1033", false, true, nullptr},
      {"FrontPage 2003 without Application Data", kFP2003, "C:\\O\\OFFICE11", "1033", false, true,
       nullptr},
      {"FrontPage 2002 beside 2003 without it", kFP2002, "C:\\O\\Office10", "1033", false, true,
       nullptr},
      {"FrontPage 2002 alone needs none", kFP2002, "C:\\O\\Office10", "1033", false, false,
       nullptr},
  };
  using W = CWizardDlg;
  std::string W::*const roots[] = {&W::m_strRootFP98, &W::m_strRootFP2000, &W::m_strRootFP2002,
                                   &W::m_strRootFP2003};
  std::string out;
  for (const auto& c : cases) {
    WizardFixture f;
    f.prefix.AddDrive('d', f.tmp.path() + "/d");
    f.prefix.SetString(RegRoot::kLocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion",
                       "CommonFilesDir", "C:\\CF");
    if (c.machine) c.machine(f.prefix);
    CWizardDlg& w = f.StartLogged();
    g_strAppDataPath = f.prefix.AppDataPath();
    w.m_bFoundAppData = c.appData;
    w.m_bFoundFP2003 = c.found2003;
    w.*roots[c.version] = c.root;
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
