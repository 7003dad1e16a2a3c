// The three file formats describing the same values give the same index.
#include <gtest/gtest.h>

#include "machine/registry_test_util.h"

namespace tpl::test {
namespace {

using namespace std::string_literals;

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

TEST(RegistryFormats, EachFormatGivesTheSameIndex) {
  const std::string expected =
      "[Software]\n[Software\\Vendor]\n[Software\\Vendor\\Th\xE9]\n"
      "=1:Def\0\n"
      "Blob=3:\x01\x02\xff\n"
      "Count=4:\x2a\0\0\0\n"
      "List=7:a\0b\x80\0\0\n"
      "Path=1:C:\\Program Files\\Caf\xE9\0\n"
      "Temp=2:%SystemRoot%\\temp\0\n"s;
  std::string warning = "stale";
  const RegistryFile wine = ParseReg(kWineFile, RegRoot::kLocalMachine, &warning);
  EXPECT_EQ(warning, "");
  EXPECT_EQ(wine.format(), RegFileFormat::kWine);
  const RegistryFile regedit4 = ParseReg(kRegedit4File);
  EXPECT_EQ(regedit4.format(), RegFileFormat::kRegedit4);
  const RegistryFile utf16 = ParseReg(Utf16Le(kRegedit5Text));
  const RegistryFile utf16Bare = ParseReg(Utf16Le(kRegedit5Text, false));
  const RegistryFile utf8 = ParseReg(kRegedit5Text);
  const RegistryFile utf8Bom = ParseReg(std::string("\xEF\xBB\xBF") + kRegedit5Text);
  for (const RegistryFile* file : {&utf16, &utf16Bare, &utf8, &utf8Bom}) {
    EXPECT_EQ(file->format(), RegFileFormat::kRegedit5);
  }
  for (const RegistryFile* file : {&wine, &regedit4, &utf16, &utf16Bare, &utf8, &utf8Bom}) {
    SCOPED_TRACE(static_cast<int>(file->format()));
    EXPECT_EQ(Dump(*file, RegRoot::kLocalMachine), expected);
    EXPECT_TRUE(file->keys(RegRoot::kCurrentUser).empty());
  }
  // A Wine file belongs to the root it is read for; its head may end in CR.
  const RegistryFile user = ParseReg(kWineFile, RegRoot::kCurrentUser);
  EXPECT_NE(user.Find(RegRoot::kCurrentUser, "Software\\Vendor\\Th\xE9"), nullptr);
  EXPECT_TRUE(user.keys(RegRoot::kLocalMachine).empty());
  const RegistryFile cr = ParseReg("WINE REGISTRY Version 2\r\n[A] 1\r\n\"v\"=\"x\"\r\n");
  EXPECT_EQ(DataOf(cr, RegRoot::kLocalMachine, "A", "v"), std::string("x", 2));
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
  // Values of a dropped hive go nowhere, not into the key before them ("w").
  EXPECT_EQ(Dump(file, RegRoot::kCurrentUser),
            "[Software]\n[Software\\A]\nv=1:user\0\n[Software\\B]\nv=1:b\0\n"s);
  EXPECT_EQ(Dump(file, RegRoot::kLocalMachine),
            "[]\ntop=4:\1\0\0\0\n[Software]\n[Software\\A]\nv=1:machine\0\n"s);
}

}  // namespace
}  // namespace tpl::test
