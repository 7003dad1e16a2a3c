// Reading the registry, and finding FrontPage: what the registry and the
// probe files say decides which versions are found, which one is
// preselected, and whether the user is asked.
#include <gtest/gtest.h>

#include <functional>

#include "res/strings.h"
#include "support/wizard_fixture.h"

namespace tpl::test {
namespace {

const std::string kOffice = "C:\\Program Files\\Microsoft Office";
const std::string kRoot2000 = kOffice + "\\Office", kRoot2002 = kOffice + "\\Office10",
                  kRoot2003 = kOffice + "\\OFFICE11";

TEST(ReadRegistryValue, EachRuleOfTheReader) {
  const char kKey[] = "Software\\Microsoft\\Test\\Key";
  const RegRoot hklm = RegRoot::kLocalMachine;
  WizardFixture f;
  f.prefix.SetString(hklm, kKey, "Plain", "C:\\Program Files\\Office10");
  f.prefix.SetString(hklm, kKey, "One", "C:\\Office10\\");
  f.prefix.SetString(hklm, kKey, "Two", "C:\\Office10\\\\");
  f.prefix.SetString(hklm, kKey, "Slash", "\\");
  f.prefix.SetString(RegRoot::kCurrentUser, kKey, "User", "D:\\mine");
  f.prefix.SetExpandString(hklm, kKey, "Temp", "%SystemRoot%\\TEMP\\");
  f.prefix.SetExpandString(hklm, kKey, "Unknown", "%NO_SUCH_VAR%\\x");
  // %APPDATA% grows to C:\users\tester\AppData\Roaming (31 characters): the
  // expanded text may hold 259 characters, not 260.
  f.prefix.SetExpandString(hklm, kKey, "ExpandFits", "%APPDATA%\\" + std::string(227, 'a'));
  f.prefix.SetExpandString(hklm, kKey, "ExpandLong", "%APPDATA%\\" + std::string(228, 'a'));
  f.prefix.SetString(hklm, kKey, "Fits", std::string(259, 'f'));
  f.prefix.SetString(hklm, kKey, "TooLong", std::string(260, 'l'));
  f.prefix.SetDword(hklm, kKey, "Number", 42);
  f.prefix.SetRaw(hklm, kKey, "Binary", kRegBinary, "C:\\x");
  f.prefix.SetString(hklm, kKey, "Empty", "");
  f.prefix.SetString(hklm, "Software\\Microsoft\\Refused", "Path", "C:\\x");
  f.Start();
  f.machine().FailOpenKey("Software\\Microsoft\\Refused", kErrorAccessDenied);
  const std::string appData = "C:\\users\\tester\\AppData\\Roaming\\";
  const struct { const char* key; const char* name; int hive; bool read; std::string out; } cases[] = {
      {"Test\\Key", "plain", kHiveLocalMachine, true, "C:\\Program Files\\Office10"},  // any case
      {"Test\\Key", "One", kHiveLocalMachine, true, "C:\\Office10"},
      {"Test\\Key", "Two", kHiveLocalMachine, true, "C:\\Office10\\"},  // only one removed
      {"Test\\Key", "Slash", kHiveLocalMachine, false, ""},  // names no folder
      {"Test\\Key", "User", kHiveLocalMachine, false, ""},  // hive 1 is HKEY_LOCAL_MACHINE
      {"Test\\Key", "User", kHiveCurrentUser, true, "D:\\mine"},
      {"Test\\Key", "Temp", kHiveLocalMachine, true, "C:\\windows\\TEMP"},
      {"Test\\Key", "Unknown", kHiveLocalMachine, true, "%NO_SUCH_VAR%\\x"},
      {"Test\\Key", "ExpandFits", kHiveLocalMachine, true, appData + std::string(227, 'a')},
      {"Test\\Key", "ExpandLong", kHiveLocalMachine, false, ""},
      {"Test\\Key", "Fits", kHiveLocalMachine, true, std::string(259, 'f')},
      {"Test\\Key", "TooLong", kHiveLocalMachine, false, ""},
      {"Test\\Key", "Number", kHiveLocalMachine, false, ""},
      {"Test\\Key", "Binary", kHiveLocalMachine, false, ""},
      {"Test\\Key", "Empty", kHiveLocalMachine, false, ""},
      {"Test\\Key", "Missing", kHiveLocalMachine, false, ""},
      {"No\\Such\\Key", "Path", kHiveLocalMachine, false, ""},
      // A refused key shows the privilege box, each time, and yields "fatal".
      {"Refused", "Path", kHiveLocalMachine, false, "fatal"},
      {"Refused", "Path", kHiveLocalMachine, false, "fatal"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::string out = "stale";
    EXPECT_EQ(f.wizard().ReadRegistryValue(c.key, c.name, out, c.hive), c.read);
    EXPECT_EQ(out, c.out);
  }
  ASSERT_EQ(f.ui.messageBoxes().size(), 2u);
  EXPECT_EQ(f.ui.messageBoxes()[1].text,
            "You do not have sufficient privilege.\nPlease log on as an Administrator.");
  EXPECT_EQ(f.ui.messageBoxes()[1].type, kMbIconStop);
}

TEST(DetectFrontPage, RegistryFactsDecideFoundPreselectedAndAsked) {
  using Flags = std::vector<int>;  // FrontPage 98, 2000, 2002, 2003
  const char* const kKey2002 = "Software\\Microsoft\\Office\\10.0\\Common\\InstallRoot";
  const struct Case {
    const char* name;
    std::function<void(WizardFixture&)> machine;
    Flags found;
    Flags preselected;  // ticked when the dialog opens (Enter keeps them), or chosen unasked
    bool asked;
    size_t privilegeBoxes = 0;  // the keys of FrontPage 2002 and Application Data are refused
  } cases[] = {
      {"current is the newest of two roots",
       [](WizardFixture& f) {
         f.prefix.AddFrontPage(kFP2002, kRoot2002).AddFrontPage(kFP2003, kRoot2003);
         f.prefix.SetCurrentFrontPage(kRoot2003);
       },
       {0, 0, 1, 1}, {0, 0, 0, 1}, true},
      {"two roots and no current one",
       [](WizardFixture& f) {
         f.prefix.AddFrontPage(kFP2000, kRoot2000).AddFrontPage(kFP2002, kRoot2002);
       },
       {0, 1, 1, 0}, {0, 0, 0, 0}, true},
      {"a current one matching no root is FrontPage 2000",
       [](WizardFixture& f) { f.prefix.SetCurrentFrontPage("C:\\Program Files\\FrontPage"); },
       {0, 0, 0, 0}, {0, 1, 0, 0}, false},
      {"roots match the current one ignoring case",
       [](WizardFixture& f) {
         f.prefix.AddFrontPage(kFP2000, kRoot2000);
         f.prefix.SetCurrentFrontPage("c:\\program files\\microsoft office\\office", false);
       },
       {0, 1, 0, 0}, {0, 1, 0, 0}, false},
      {"FrontPage 98 without kit items",
       [](WizardFixture& f) {
         f.prefix.AddFrontPage(kFP98, "C:\\FP98").AddFrontPage(kFP2002, kRoot2002);
         f.Kit("fp2000/Pages/news/index.htm");
       },
       {0, 0, 1, 0}, {0, 0, 1, 0}, false},
      {"FrontPage 98 with kit items",
       [](WizardFixture& f) {
         f.prefix.AddFrontPage(kFP98, "C:\\FP98").AddFrontPage(kFP2000, kRoot2000);
         f.Kit("fp98/Themes/blue/blue.inf", "title=Blue\n");
       },
       {1, 1, 0, 0}, {0, 0, 0, 0}, true},
      {"a missing probe verifies nothing",
       [](WizardFixture& f) {
         f.prefix.AddFrontPage(kFP2002, kRoot2002, false).AddFrontPage(kFP2003, kRoot2003);
         f.prefix.SetCurrentFrontPage(kRoot2002, false);
       },
       {0, 0, 0, 1}, {0, 0, 0, 1}, false},
      {"refused keys count as missing",
       [](WizardFixture& f) {
         f.prefix.AddFrontPage(kFP2002, kRoot2002).AddFrontPage(kFP2003, kRoot2003);
       },
       {0, 0, 0, 1}, {0, 0, 0, 1}, false, 2},
      {"roots lose one final backslash and are expanded",
       [kKey2002](WizardFixture& f) {
         f.prefix.SetString(RegRoot::kLocalMachine, kKey2002, "Path", kRoot2002 + "\\");
         f.prefix.AddFile(kRoot2002 + "\\frontpg.exe");
         f.prefix.SetExpandString(RegRoot::kLocalMachine,
                                  "Software\\Microsoft\\Office\\11.0\\Common\\InstallRoot", "Path",
                                  "%USERPROFILE%\\Office11\\");
         f.prefix.AddFile("C:\\users\\tester\\Office11\\frontpg.exe");
         f.prefix.SetCurrentFrontPage("", false);  // an empty value counts as none
       },
       {0, 0, 1, 1}, {0, 0, 0, 0}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WizardFixture f;
    Flags ticked;
    f.ui.Queue(kIddVersions, [&ticked](DialogDriver& d) {
      for (int id : {kIdcFP98, kIdcFP2000, kIdcFP2002, kIdcFP2003}) ticked.push_back(d.control(id).Check());
      d.PressEnter();
    });
    c.machine(f);
    f.StartLogged();
    if (c.privilegeBoxes) {
      f.machine().FailOpenKey(kKey2002, kErrorAccessDenied);
      f.machine().FailOpenKey("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                              kErrorAccessDenied);
    }
    EXPECT_TRUE(f.wizard().DetectFrontPage());
    const CWizardDlg& w = f.wizard();
    EXPECT_EQ((Flags{w.m_bFoundFP98, w.m_bFoundFP2000, w.m_bFoundFP2002, w.m_bFoundFP2003}), c.found);
    EXPECT_EQ(f.ui.runs(kIddVersions), c.asked ? 1 : 0);
    const Flags installs{w.m_bInstallFP98, w.m_bInstallFP2000, w.m_bInstallFP2002, w.m_bInstallFP2003};
    EXPECT_EQ(c.asked ? ticked : installs, c.preselected);
    EXPECT_EQ(f.ui.messageBoxes().size(), c.privilegeBoxes);
  }
}

}  // namespace
}  // namespace tpl::test
