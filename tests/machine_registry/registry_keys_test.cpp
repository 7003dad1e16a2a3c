// Keys: case-insensitive lookup, parents, merging, and the deletions of exports.
#include <gtest/gtest.h>

#include "machine_registry/registry_test_util.h"

namespace tpl::test {
namespace {

const std::string kWineHead = "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n";

TEST(RegistryKeys, LookupIgnoresCaseButNamesKeepIt) {
  const RegistryFile file = ParseReg(kWineHead +
                                     "[Software\\\\Micro\\xc9] 1\n"
                                     "\"CommonFilesDir\"=\"C:\\\\x\"\n");
  const RegKeyData* key = file.Find(RegRoot::kLocalMachine, "SOFTWARE\\micro\xC9");
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(key->path, "Software\\Micro\xC9");
  const RegValueData* value = key->FindValue("commonfilesDIR");
  ASSERT_NE(value, nullptr);
  EXPECT_EQ(value->name, "CommonFilesDir");
  EXPECT_EQ(key->FindValue("CommonFilesDi"), nullptr);
  EXPECT_EQ(file.Find(RegRoot::kLocalMachine, "Software\\Micro"), nullptr);
  EXPECT_EQ(file.Find(RegRoot::kCurrentUser, "Software\\Micro\xC9"), nullptr);
}

TEST(RegistryKeys, ParentsExistWithoutValues) {
  const RegistryFile file = ParseReg(kWineHead + "[A\\\\B\\\\C] 1\n\"v\"=dword:1\n[a\\\\b] 1\n");
  ASSERT_NE(file.Find(RegRoot::kLocalMachine, "a"), nullptr);
  EXPECT_EQ(file.Find(RegRoot::kLocalMachine, "a")->path, "A");
  EXPECT_TRUE(file.Find(RegRoot::kLocalMachine, "a")->values.empty());
  ASSERT_NE(file.Find(RegRoot::kLocalMachine, "A\\B"), nullptr);
  EXPECT_EQ(file.Find(RegRoot::kLocalMachine, "A\\B")->path, "A\\B");  // the first spelling
  EXPECT_EQ(file.keyCount(), 3u);
}

TEST(RegistryKeys, DuplicateKeysMergeAndTheLastValueWins) {
  const RegistryFile file = ParseReg(kWineHead +
                                     "[K] 1\n\"a\"=\"1\"\n\"b\"=\"old\"\n"
                                     "[k] 2\n\"B\"=dword:00000002\n\"c\"=\"3\"\n");
  const RegKeyData* key = file.Find(RegRoot::kLocalMachine, "K");
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
      "[-HKEY_CURRENT_USER]\r\n");
  const RegKeyData* a = file.Find(RegRoot::kCurrentUser, "Soft\\A");
  ASSERT_NE(a, nullptr);
  EXPECT_NE(a->FindValue("keep"), nullptr);
  EXPECT_EQ(a->FindValue("drop"), nullptr);
  EXPECT_EQ(a->FindValue(""), nullptr);
  EXPECT_EQ(file.Find(RegRoot::kCurrentUser, "Soft\\A\\B"), nullptr);
  EXPECT_EQ(file.Find(RegRoot::kCurrentUser, "Soft\\A\\B\\C"), nullptr);
  EXPECT_EQ(file.Find(RegRoot::kCurrentUser, "Soft\\AB"), nullptr);
  // Siblings that share the name's beginning, and other hives, stay.
  EXPECT_NE(file.Find(RegRoot::kCurrentUser, "Soft\\A B"), nullptr);
  EXPECT_NE(file.Find(RegRoot::kCurrentUser, "Soft\\A\\Bc"), nullptr);
  EXPECT_FALSE(ValueOf(file, RegRoot::kCurrentUser, "Soft\\A", "orphan"));
}

TEST(RegistryKeys, ADeletedKeyCanBeWrittenAgain) {
  const RegistryFile file = ParseReg(
      "REGEDIT4\r\n"
      "[HKLM\\K\\Sub]\r\n\"old\"=\"1\"\r\n"
      "[-HKLM\\K]\r\n"
      "[HKLM\\K\\Sub]\r\n\"new\"=\"2\"\r\n");
  EXPECT_FALSE(ValueOf(file, RegRoot::kLocalMachine, "K\\Sub", "old"));
  EXPECT_TRUE(ValueOf(file, RegRoot::kLocalMachine, "K\\Sub", "new"));
  EXPECT_NE(file.Find(RegRoot::kLocalMachine, "K"), nullptr);
}

}  // namespace
}  // namespace tpl::test
