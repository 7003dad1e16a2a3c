// The three file formats describing the same values give the same index.
#include <gtest/gtest.h>

#include "machine_registry/registry_test_util.h"

namespace tpl::test {
namespace {

// HKLM\Software\Vendor\Thé with a string (é), an expandable string, a
// multi-string (€), a DWORD, binary data and a default value.
const char kWineFile[] =
    "WINE REGISTRY Version 2\n"
    ";; All keys relative to \\\\Machine\n"
    "\n"
    "#arch=win32\n"
    "\n"
    "[Software\\\\Vendor\\\\Th\\xe9] 1796587031\n"
    "#time=1dd85bbfb83a7f4\n"
    "@=\"Def\"\n"
    "\"Path\"=\"C:\\\\Program Files\\\\Caf\xC3\xA9\"\n"
    "\"Temp\"=str(2):\"%SystemRoot%\\\\temp\"\n"
    "\"List\"=str(7):\"a\\0b\\x20ac\\0\"\n"
    "\"Count\"=dword:0000002a\n"
    "\"Blob\"=hex:01,02,ff\n";

const char kRegedit4File[] =
    "REGEDIT4\r\n"
    "\r\n"
    "[HKEY_LOCAL_MACHINE\\Software\\Vendor\\Th\xE9]\r\n"
    "@=\"Def\"\r\n"
    "\"Path\"=\"C:\\\\Program Files\\\\Caf\xE9\"\r\n"
    "\"Temp\"=hex(2):25,53,79,73,74,65,6d,52,6f,6f,74,25,5c,74,65,6d,70,00\r\n"
    "\"List\"=hex(7):61,00,62,80,00,00\r\n"
    "\"Count\"=dword:0000002a\r\n"
    "\"Blob\"=hex:01,02,ff\r\n"
    "\r\n";

const char kRegedit5Text[] =
    "Windows Registry Editor Version 5.00\r\n"
    "\r\n"
    "[HKEY_LOCAL_MACHINE\\Software\\Vendor\\Th\xC3\xA9]\r\n"
    "@=\"Def\"\r\n"
    "\"Path\"=\"C:\\\\Program Files\\\\Caf\xC3\xA9\"\r\n"
    "\"Temp\"=hex(2):25,00,53,00,79,00,73,00,74,00,65,00,6d,00,52,00,6f,00,6f,00,74,00,\\\r\n"
    "  25,00,5c,00,74,00,65,00,6d,00,70,00,00,00\r\n"
    "\"List\"=hex(7):61,00,00,00,62,00,ac,20,00,00,00,00\r\n"
    "\"Count\"=dword:0000002a\r\n"
    "\"Blob\"=hex:01,02,ff\r\n"
    "\r\n";

// Every key and value of a root, one line each, to compare whole indexes.
std::string Dump(const RegistryFile& file, RegRoot root) {
  std::string out;
  for (const auto& [folded, key] : file.keys(root)) {
    out += "[" + key.path + "]\n";
    for (const auto& [name, value] : key.values) {
      out += value.name + "=" + std::to_string(value.type) + ":" + value.data + "\n";
    }
  }
  return out;
}

void ExpectTheValues(const RegistryFile& file) {
  const std::string key = "Software\\Vendor\\Th\xE9";
  ASSERT_NE(file.Find(RegRoot::kLocalMachine, key), nullptr);
  EXPECT_EQ(file.Find(RegRoot::kLocalMachine, key)->path, key);

  auto path = ValueOf(file, RegRoot::kLocalMachine, key, "Path");
  ASSERT_TRUE(path);
  EXPECT_EQ(path->type, kRegSz);
  EXPECT_EQ(path->data, std::string("C:\\Program Files\\Caf\xE9", 21) + '\0');

  auto temp = ValueOf(file, RegRoot::kLocalMachine, key, "Temp");
  ASSERT_TRUE(temp);
  EXPECT_EQ(temp->type, kRegExpandSz);
  EXPECT_EQ(temp->data, std::string("%SystemRoot%\\temp") + '\0');

  auto list = ValueOf(file, RegRoot::kLocalMachine, key, "List");
  ASSERT_TRUE(list);
  EXPECT_EQ(list->type, kRegMultiSz);
  EXPECT_EQ(list->data, std::string("a\0b\x80\0\0", 6));

  auto count = ValueOf(file, RegRoot::kLocalMachine, key, "Count");
  ASSERT_TRUE(count);
  EXPECT_EQ(count->type, kRegDword);
  EXPECT_EQ(count->data, std::string("\x2a\0\0\0", 4));

  auto blob = ValueOf(file, RegRoot::kLocalMachine, key, "Blob");
  ASSERT_TRUE(blob);
  EXPECT_EQ(blob->type, kRegBinary);
  EXPECT_EQ(blob->data, "\x01\x02\xff");

  auto def = ValueOf(file, RegRoot::kLocalMachine, key, "");
  ASSERT_TRUE(def);
  EXPECT_EQ(def->type, kRegSz);
  EXPECT_EQ(def->data, std::string("Def") + '\0');
}

TEST(RegistryFormats, EachFormatGivesTheSameIndex) {
  std::string warning = "stale";
  const RegistryFile wine = ParseReg(kWineFile, RegRoot::kLocalMachine, &warning);
  EXPECT_EQ(warning, "");
  const RegistryFile regedit4 = ParseReg(kRegedit4File);
  const RegistryFile utf16 = ParseReg(Utf16Le(kRegedit5Text));
  const RegistryFile utf16Bare = ParseReg(Utf16Le(kRegedit5Text, false));
  const RegistryFile utf8 = ParseReg(kRegedit5Text);
  const RegistryFile utf8Bom = ParseReg(std::string("\xEF\xBB\xBF") + kRegedit5Text);

  EXPECT_EQ(wine.format(), RegFileFormat::kWine);
  EXPECT_EQ(regedit4.format(), RegFileFormat::kRegedit4);
  for (const RegistryFile* file : {&utf16, &utf16Bare, &utf8, &utf8Bom}) {
    EXPECT_EQ(file->format(), RegFileFormat::kRegedit5);
  }
  for (const RegistryFile* file : {&wine, &regedit4, &utf16, &utf16Bare, &utf8, &utf8Bom}) {
    SCOPED_TRACE(static_cast<int>(file->format()));
    ExpectTheValues(*file);
    EXPECT_EQ(Dump(*file, RegRoot::kLocalMachine), Dump(wine, RegRoot::kLocalMachine));
    EXPECT_TRUE(file->keys(RegRoot::kCurrentUser).empty());
  }
}

TEST(RegistryFormats, WineFilesBelongToTheRootTheyAreReadFor) {
  const RegistryFile user = ParseReg(kWineFile, RegRoot::kCurrentUser);
  EXPECT_NE(user.Find(RegRoot::kCurrentUser, "Software\\Vendor\\Th\xE9"), nullptr);
  EXPECT_TRUE(user.keys(RegRoot::kLocalMachine).empty());
}

TEST(RegistryFormats, ExportsNameTheirHiveInAnyCaseAndDropOtherHives) {
  const RegistryFile file = ParseReg(
      "REGEDIT4\r\n"
      "[hkey_current_user\\Software\\A]\r\n\"v\"=\"user\"\r\n"
      "[HKLM\\Software\\A]\r\n\"v\"=\"machine\"\r\n"
      "[HKEY_USERS\\.Default\\Software\\A]\r\n\"v\"=\"users\"\r\n\"w\"=\"users\"\r\n"
      "[HKEY_CLASSES_ROOT\\.txt]\r\n@=\"txtfile\"\r\n"
      "[HKCU\\Software\\B]\r\n\"v\"=\"b\"\r\n"
      "[HKEY_Local_Machine]\r\n\"top\"=dword:1\r\n");
  EXPECT_EQ(DataOf(file, RegRoot::kCurrentUser, "Software\\A", "v"), std::string("user", 5));
  EXPECT_EQ(DataOf(file, RegRoot::kLocalMachine, "Software\\A", "v"),
            std::string("machine", 8));
  EXPECT_EQ(DataOf(file, RegRoot::kCurrentUser, "Software\\B", "v"), std::string("b", 2));
  EXPECT_TRUE(ValueOf(file, RegRoot::kLocalMachine, "", "top"));
  // Values of a dropped hive go nowhere, not into the key before them.
  EXPECT_FALSE(ValueOf(file, RegRoot::kLocalMachine, "Software\\A", "w"));
  EXPECT_EQ(file.Find(RegRoot::kCurrentUser, ".txt"), nullptr);
  EXPECT_EQ(file.Find(RegRoot::kCurrentUser, ".Default\\Software\\A"), nullptr);
  EXPECT_EQ(file.Find(RegRoot::kLocalMachine, ".Default\\Software\\A"), nullptr);
}

TEST(RegistryFormats, Win64ComesOnlyFromWinesArchLine) {
  const std::string head = "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n";
  EXPECT_TRUE(ParseReg(head + "#arch=win64\n").win64());
  EXPECT_TRUE(ParseReg(head + "#arch=win64\r\n[A] 1\n").win64());
  EXPECT_FALSE(ParseReg(head + "#arch=win32\n").win64());
  EXPECT_FALSE(ParseReg(head + "[A] 1\n#arch=win64x\n").win64());
  EXPECT_FALSE(ParseReg("REGEDIT4\r\n#arch=win64\r\n").win64());
}

}  // namespace
}  // namespace tpl::test
