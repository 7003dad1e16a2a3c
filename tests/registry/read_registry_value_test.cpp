// ReadRegistryValue: the one way the installer reads the registry.
#include <gtest/gtest.h>

#include "support/wizard_fixture.h"

namespace tpl {
namespace {

using test::WizardFixture;

const char kKey[] = "Software\\Microsoft\\Test\\Key";

class ReadRegistryValueTest : public ::testing::Test {
 protected:
  // Reads value `name` of Software\Microsoft\Test\Key under HKLM.
  bool Read(const std::string& name, std::string* out, int hive = kHiveLocalMachine) {
    return f.wizard().ReadRegistryValue("Test\\Key", name, *out, hive);
  }
  WizardFixture f;
};

TEST_F(ReadRegistryValueTest, StringsComeBackWithOneTrailingBackslashRemoved) {
  f.prefix.SetString(RegRoot::kLocalMachine, kKey, "Plain", "C:\\Program Files\\Office10");
  f.prefix.SetString(RegRoot::kLocalMachine, kKey, "One", "C:\\Office10\\");
  f.prefix.SetString(RegRoot::kLocalMachine, kKey, "Two", "C:\\Office10\\\\");
  f.prefix.SetString(RegRoot::kCurrentUser, kKey, "User", "D:\\mine");
  f.Start();
  std::string out;
  EXPECT_TRUE(Read("plain", &out));  // value names match in any case
  EXPECT_EQ(out, "C:\\Program Files\\Office10");
  EXPECT_TRUE(Read("One", &out));
  EXPECT_EQ(out, "C:\\Office10");
  EXPECT_TRUE(Read("Two", &out));
  EXPECT_EQ(out, "C:\\Office10\\");
  EXPECT_FALSE(Read("User", &out));  // hive 1 is HKEY_LOCAL_MACHINE
  EXPECT_EQ(out, "");
  EXPECT_TRUE(Read("User", &out, kHiveCurrentUser));
  EXPECT_EQ(out, "D:\\mine");
}

TEST_F(ReadRegistryValueTest, ExpandStringsAreExpandedWithinTheSameLimit) {
  f.prefix.SetExpandString(RegRoot::kLocalMachine, kKey, "Temp", "%SystemRoot%\\TEMP\\");
  f.prefix.SetExpandString(RegRoot::kLocalMachine, kKey, "Unknown", "%NO_SUCH_VAR%\\x");
  // %APPDATA% grows to C:\users\tester\AppData\Roaming (31 characters): the
  // expanded text may hold 259 characters, not 260.
  f.prefix.SetExpandString(RegRoot::kLocalMachine, kKey, "Fits",
                           "%APPDATA%\\" + std::string(227, 'a'));
  f.prefix.SetExpandString(RegRoot::kLocalMachine, kKey, "Long",
                           "%APPDATA%\\" + std::string(228, 'a'));
  f.Start();
  std::string out;
  EXPECT_TRUE(Read("Temp", &out));
  EXPECT_EQ(out, "C:\\windows\\TEMP");
  EXPECT_TRUE(Read("Unknown", &out));
  EXPECT_EQ(out, "%NO_SUCH_VAR%\\x");
  EXPECT_TRUE(Read("Fits", &out));
  EXPECT_EQ(out.size(), 259u);
  EXPECT_FALSE(Read("Long", &out));
  EXPECT_EQ(out, "");
}

TEST_F(ReadRegistryValueTest, TheBufferHolds259CharactersAndATerminator) {
  f.prefix.SetString(RegRoot::kLocalMachine, kKey, "Fits", std::string(259, 'f'));
  f.prefix.SetString(RegRoot::kLocalMachine, kKey, "TooLong", std::string(260, 'l'));
  f.Start();
  std::string out;
  EXPECT_TRUE(Read("Fits", &out));
  EXPECT_EQ(out.size(), 259u);
  EXPECT_FALSE(Read("TooLong", &out));
  EXPECT_EQ(out, "");
}

TEST_F(ReadRegistryValueTest, OtherTypesEmptyAndMissingValuesFail) {
  f.prefix.SetDword(RegRoot::kLocalMachine, kKey, "Number", 42);
  f.prefix.SetRaw(RegRoot::kLocalMachine, kKey, "Binary", kRegBinary, "C:\\x");
  f.prefix.SetString(RegRoot::kLocalMachine, kKey, "Empty", "");
  f.prefix.SetString(RegRoot::kLocalMachine, kKey, "Slash", "\\");
  f.Start();
  std::string out = "stale";
  for (const char* name : {"Number", "Binary", "Empty", "Missing"}) {
    EXPECT_FALSE(Read(name, &out)) << name;
    EXPECT_EQ(out, "") << name;
  }
  EXPECT_TRUE(f.wizard().ReadRegistryValue("Test\\Key", "Slash", out, kHiveLocalMachine));
  EXPECT_EQ(out, "");  // a lone backslash is a value, returned without it
  EXPECT_FALSE(f.wizard().ReadRegistryValue("No\\Such\\Key", "Path", out, kHiveLocalMachine));
  EXPECT_TRUE(f.ui.messageBoxes().empty());
}

TEST_F(ReadRegistryValueTest, RefusedKeysShowThePrivilegeBoxAndYieldFatal) {
  f.prefix.SetString(RegRoot::kLocalMachine, kKey, "Path", "C:\\x");
  f.Start();
  f.machine().FailOpenKey(kKey, kErrorAccessDenied);
  std::string out;
  EXPECT_FALSE(Read("Path", &out));
  EXPECT_EQ(out, "fatal");
  EXPECT_FALSE(Read("Path", &out));
  ASSERT_EQ(f.ui.messageBoxes().size(), 2u);  // once per refused open
  EXPECT_EQ(f.ui.messageBoxes()[1].text,
            "You do not have sufficient privilege.\nPlease log on as an Administrator.");
  EXPECT_EQ(f.ui.messageBoxes()[1].type, kMbIconStop);
}

}  // namespace
}  // namespace tpl
