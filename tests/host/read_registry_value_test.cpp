// ReadRegistryValue: the one way the installer reads the registry.
#include <gtest/gtest.h>

#include "support/wizard_fixture.h"

namespace tpl {
namespace {

using test::WizardFixture;

const char kKey[] = "Software\\Microsoft\\Test\\Key";

class ReadRegistryValueTest : public ::testing::Test {
 protected:
  WizardFixture f;
};

TEST_F(ReadRegistryValueTest, EachRuleOfTheReader) {
  const RegRoot hklm = RegRoot::kLocalMachine;
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
  f.Start();
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
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::string out = "stale";
    EXPECT_EQ(f.wizard().ReadRegistryValue(c.key, c.name, out, c.hive), c.read);
    EXPECT_EQ(out, c.out);
  }
  EXPECT_TRUE(f.ui.messageBoxes().empty());
}

TEST_F(ReadRegistryValueTest, RefusedKeysShowThePrivilegeBoxAndYieldFatal) {
  f.prefix.SetString(RegRoot::kLocalMachine, kKey, "Path", "C:\\x");
  f.Start();
  f.machine().FailOpenKey(kKey, kErrorAccessDenied);
  std::string out;
  EXPECT_FALSE(f.wizard().ReadRegistryValue("Test\\Key", "Path", out, kHiveLocalMachine));
  EXPECT_EQ(out, "fatal");
  EXPECT_FALSE(f.wizard().ReadRegistryValue("Test\\Key", "Path", out, kHiveLocalMachine));
  ASSERT_EQ(f.ui.messageBoxes().size(), 2u);  // once per refused open
  EXPECT_EQ(f.ui.messageBoxes()[1].text,
            "You do not have sufficient privilege.\nPlease log on as an Administrator.");
  EXPECT_EQ(f.ui.messageBoxes()[1].type, kMbIconStop);
}

}  // namespace
}  // namespace tpl
