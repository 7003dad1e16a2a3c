// The three file formats describing the same values give the same index.
#include <gtest/gtest.h>

#include "machine/registry_test_util.h"
#include "support/temp_dir.h"

namespace tpl::test {
namespace {

using namespace std::string_literals;

// registry_formats/vendor.*.reg: HKLM\Software\Vendor\Thé with a string
// (é), an expandable string, a multi-string (€), a DWORD, binary data and a
// default value, as Wine stores it and as regedit 4 and 5 export it.
std::string Vendor(const std::string& format) {
  return ReadHostFile(std::string(TPL_TEST_DATA_DIR) + "/machine/registry_formats/vendor." +
                      format + ".reg");
}

TEST(RegistryFormats, EachFormatGivesTheSameIndex) {
  const std::string expected =
      "[Software]\n[Software\\Vendor]\n[Software\\Vendor\\Th\xE9]\n"
      "=1:Def\0\n"
      "Blob=3:\x01\x02\xff\n"
      "Count=4:\x2a\0\0\0\n"
      "List=7:a\0b\x80\0\0\n"
      "Path=1:C:\\Program Files\\Caf\xE9\0\n"
      "Temp=2:%SystemRoot%\\temp\0\n"s;
  const std::string wineFile = Vendor("wine"), regedit5 = Vendor("regedit5-utf8");
  ASSERT_FALSE(wineFile.empty() || regedit5.empty());
  std::string warning = "stale";
  const RegistryFile wine = ParseReg(wineFile, RegRoot::kLocalMachine, &warning);
  EXPECT_EQ(warning, "");
  EXPECT_EQ(wine.format(), RegFileFormat::kWine);
  const RegistryFile regedit4 = ParseReg(Vendor("regedit4"));
  EXPECT_EQ(regedit4.format(), RegFileFormat::kRegedit4);
  const RegistryFile utf16 = ParseReg(Utf16Le(regedit5));
  const RegistryFile utf16Bare = ParseReg(Utf16Le(regedit5, false));
  const RegistryFile utf8 = ParseReg(regedit5);
  const RegistryFile utf8Bom = ParseReg(std::string("\xEF\xBB\xBF") + regedit5);
  for (const RegistryFile* file : {&utf16, &utf16Bare, &utf8, &utf8Bom}) {
    EXPECT_EQ(file->format(), RegFileFormat::kRegedit5);
  }
  for (const RegistryFile* file : {&wine, &regedit4, &utf16, &utf16Bare, &utf8, &utf8Bom}) {
    SCOPED_TRACE(static_cast<int>(file->format()));
    EXPECT_EQ(Dump(*file, RegRoot::kLocalMachine), expected);
    EXPECT_TRUE(file->keys(RegRoot::kCurrentUser).empty());
  }
  // A Wine file belongs to the root it is read for; its head may end in CR.
  const RegistryFile user = ParseReg(wineFile, RegRoot::kCurrentUser);
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
