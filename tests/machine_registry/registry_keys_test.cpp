// Keys: case-insensitive lookup, parents, merging, and the deletions of exports.
#include <gtest/gtest.h>

#include "machine_registry/registry_test_util.h"

namespace tpl::test {
namespace {

using namespace std::string_literals;

const std::string kWineHead = "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n";

TEST(RegistryKeys, LookupParentsAndMerging) {
  const RegistryFile file = ParseReg(kWineHead +
                                     "[Software\\\\Micro\\xc9] 1\n\"CommonFilesDir\"=\"C:\\\\x\"\n"
                                     "[A\\\\B\\\\C] 1\n\"v\"=dword:1\n[a\\\\b] 1\n"
                                     "[K] 1\n\"a\"=\"1\"\n\"b\"=\"old\"\n"
                                     "[k] 2\n\"B\"=dword:00000002\n\"c\"=\"3\"\n");
  // Lookup ignores case, names keep it.
  const RegKeyData* key = file.Find(RegRoot::kLocalMachine, "SOFTWARE\\micro\xC9");
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(key->path, "Software\\Micro\xC9");
  ASSERT_NE(key->FindValue("commonfilesDIR"), nullptr);
  EXPECT_EQ(key->FindValue("commonfilesDIR")->name, "CommonFilesDir");
  EXPECT_EQ(key->FindValue("CommonFilesDi"), nullptr);
  EXPECT_EQ(file.Find(RegRoot::kLocalMachine, "Software\\Micro"), nullptr);
  EXPECT_EQ(file.Find(RegRoot::kCurrentUser, "Software\\Micro\xC9"), nullptr);
  // Parents exist without values, spelled as first met.
  ASSERT_NE(file.Find(RegRoot::kLocalMachine, "a"), nullptr);
  EXPECT_EQ(file.Find(RegRoot::kLocalMachine, "a")->path, "A");
  EXPECT_TRUE(file.Find(RegRoot::kLocalMachine, "a")->values.empty());
  ASSERT_NE(file.Find(RegRoot::kLocalMachine, "A\\B"), nullptr);
  EXPECT_EQ(file.Find(RegRoot::kLocalMachine, "A\\B")->path, "A\\B");
  EXPECT_EQ(file.keyCount(), 6u);  // Software, Software\MicroÉ, A, A\B, A\B\C, K
  // A key met twice is merged; the last value of a name wins.
  key = file.Find(RegRoot::kLocalMachine, "K");
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(key->values.size(), 3u);
  EXPECT_EQ(key->FindValue("b")->type, kRegDword);
  EXPECT_EQ(key->FindValue("b")->name, "B");
}

TEST(RegistryKeys, ExportDeletionsRemoveKeysBelowAndValues) {
  const RegistryFile file = ParseReg(
      "Windows Registry Editor Version 5.00\r\n"
      "[HKEY_CURRENT_USER\\Soft\\A]\r\n\"keep\"=\"1\"\r\n\"drop\"=\"2\"\r\n@=\"d\"\r\n"
      "[HKEY_CURRENT_USER\\Soft\\A\\B\\C]\r\n\"v\"=\"1\"\r\n"
      "[HKEY_CURRENT_USER\\Soft\\A B]\r\n\"v\"=\"1\"\r\n"
      "[HKEY_CURRENT_USER\\Soft\\A\\Bc]\r\n\"v\"=\"1\"\r\n"
      "[HKEY_CURRENT_USER\\Soft\\AB]\r\n\"v\"=\"1\"\r\n"
      "[HKEY_CURRENT_USER\\Soft\\A]\r\n\"DROP\"=-\r\n@=-\r\n"
      "[-HKEY_CURRENT_USER\\soft\\a\\b]\r\n\"orphan\"=\"x\"\r\n"
      "[-HKEY_CURRENT_USER\\Soft\\AB\\]\r\n"
      "[-HKEY_LOCAL_MACHINE\\Soft\\A B]\r\n"
      "[-HKEY_CURRENT_USER]\r\n"
      "[HKEY_CURRENT_USER\\K\\Sub]\r\n\"old\"=\"1\"\r\n"
      "[-HKEY_CURRENT_USER\\K]\r\n"
      "[HKEY_CURRENT_USER\\K\\Sub]\r\n\"new\"=\"2\"\r\n");
  // Siblings that share the name's beginning, and other hives, stay; a
  // deleted key can be written again.
  EXPECT_EQ(Dump(file, RegRoot::kCurrentUser),
            "[K]\n[K\\Sub]\nnew=1:2\0\n[Soft]\n[Soft\\A]\nkeep=1:1\0\n"
            "[Soft\\A B]\nv=1:1\0\n[Soft\\A\\Bc]\nv=1:1\0\n"s);
}

}  // namespace
}  // namespace tpl::test
