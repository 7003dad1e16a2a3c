// Escapes, continuation lines, spacing and the less common value types.
#include <gtest/gtest.h>

#include "machine_registry/registry_test_util.h"

namespace tpl::test {
namespace {

const std::string kWineHead = "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n";

// A Wine file with one key "K" holding `values` (one per line).
RegistryFile WineKey(const std::string& values) {
  return ParseReg(kWineHead + "[K] 1796587031\n" + values);
}

std::string Sz(const std::string& text) { return text + '\0'; }

TEST(RegistryEscapes, WineStringsDecodeEveryEscape) {
  const RegistryFile file = WineKey(
      "\"simple\"=\"\\\\ \\\" \\a\\b\\t\\n\\v\\f\\r\\e\"\n"
      "\"octal\"=\"\\0|\\001|\\101|\\1011|\\8\"\n"
      "\"hex\"=\"\\x41|\\x20ac|\\x0041B|\\x41g|\\xz|\\x\"\n"
      "\"other\"=\"\\q\\[\\]\\%\"\n");
  EXPECT_EQ(DataOf(file, RegRoot::kLocalMachine, "K", "simple"), Sz("\\ \" \a\b\t\n\v\f\r\x1b"));
  EXPECT_EQ(DataOf(file, RegRoot::kLocalMachine, "K", "octal"), Sz(std::string("\0|\1|A|A1|8", 10)));
  EXPECT_EQ(DataOf(file, RegRoot::kLocalMachine, "K", "hex"), Sz("A|\x80|AB|Ag|xz|x"));
  EXPECT_EQ(DataOf(file, RegRoot::kLocalMachine, "K", "other"), Sz("q[]%"));
}

TEST(RegistryEscapes, WineTextIsUtf8AndBecomesCp1252) {
  const RegistryFile file = WineKey(
      "\"accents\"=\"\xC3\xA9\xC3\x89\xE2\x82\xAC\xC5\x93\"\n"           // é É € œ
      "\"unmappable\"=\"\xE4\xB8\xAD|\\x3042|\xF0\x9F\x98\x80|\\777\"\n"  // CJK, kana, emoji
      "\"stray\"=\"caf\xE9\"\n"                                          // not UTF-8: kept
      "\"caf\xC3\xA9\"=\"name\"\n");
  EXPECT_EQ(DataOf(file, RegRoot::kLocalMachine, "K", "accents"), Sz("\xE9\xC9\x80\x9C"));
  EXPECT_EQ(DataOf(file, RegRoot::kLocalMachine, "K", "unmappable"), Sz("?|?|??|?"));
  EXPECT_EQ(DataOf(file, RegRoot::kLocalMachine, "K", "stray"), Sz("caf\xE9"));
  EXPECT_EQ(DataOf(file, RegRoot::kLocalMachine, "K", "caf\xE9"), Sz("name"));
}

TEST(RegistryEscapes, WineKeyNamesUseTheSameEscapes) {
  const RegistryFile file = ParseReg(kWineHead +
                                     "[Software\\\\A\\[1\\]\\\\Caf\\xe9 \xE2\x82\xAC] 1796587031\n"
                                     "\"v\"=dword:00000001\n");
  const RegKeyData* key = file.Find(RegRoot::kLocalMachine, "software\\a[1]\\CAF\xE9 \x80");
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(key->path, "Software\\A[1]\\Caf\xE9 \x80");
}

TEST(RegistryEscapes, ExportsKnowOnlyBackslashAndQuote) {
  const RegistryFile file = ParseReg(
      "REGEDIT4\r\n[HKEY_CURRENT_USER\\K]\r\n"
      "\"a\\\"b\"=\"x\\\\y\\\"z\\n\\x41\"\r\n");
  EXPECT_EQ(DataOf(file, RegRoot::kCurrentUser, "K", "a\"b"), Sz("x\\y\"z\\n\\x41"));
}

TEST(RegistryContinuation, WineHexDataContinuesAfterCommaBackslash) {
  const RegistryFile file = WineKey(
      "\"bin\"=hex:01,02,\\\n"
      "    03,04,\\\n"
      "\t05\n"
      "\"after\"=dword:00000007\n"
      "\"sz\"=hex(1):61,00,\\\n  62,00,00,00\n");
  EXPECT_EQ(DataOf(file, RegRoot::kLocalMachine, "K", "bin"), "\x01\x02\x03\x04\x05");
  EXPECT_EQ(DataOf(file, RegRoot::kLocalMachine, "K", "after"), std::string("\7\0\0\0", 4));
  EXPECT_EQ(DataOf(file, RegRoot::kLocalMachine, "K", "sz"), Sz("ab"));
}

TEST(RegistryContinuation, ABrokenContinuationDropsOnlyItsValue) {
  // Cut off by the next key, by a value line, and by the end of the file.
  const RegistryFile file = WineKey(
      "\"cut1\"=hex:01,\\\n"
      "[L] 1796587031\n"
      "\"cut2\"=hex:02,\\\n"
      "\"kept\"=dword:00000001\n"
      "\"cut3\"=hex:03,\\\n");
  EXPECT_FALSE(ValueOf(file, RegRoot::kLocalMachine, "K", "cut1"));
  EXPECT_FALSE(ValueOf(file, RegRoot::kLocalMachine, "L", "cut2"));
  EXPECT_TRUE(ValueOf(file, RegRoot::kLocalMachine, "L", "kept"));
  EXPECT_FALSE(ValueOf(file, RegRoot::kLocalMachine, "L", "cut3"));
}

TEST(RegistryContinuation, QuotedStringsNeverContinue) {
  const RegistryFile file = WineKey("\"open\"=\"abc\\\n\"next\"=\"def\"\n");
  EXPECT_FALSE(ValueOf(file, RegRoot::kLocalMachine, "K", "open"));
  EXPECT_EQ(DataOf(file, RegRoot::kLocalMachine, "K", "next"), Sz("def"));
}

TEST(RegistryValues, SpacingAroundEqualsAndTheDefaultValue) {
  const RegistryFile file = WineKey(
      "  \"a\" =  \"1\"\n"
      "\"b\"\t=\tdword:2a\n"
      "@ = str:\"def\"\n");
  EXPECT_EQ(DataOf(file, RegRoot::kLocalMachine, "K", "a"), Sz("1"));
  EXPECT_EQ(DataOf(file, RegRoot::kLocalMachine, "K", "b"), std::string("\x2a\0\0\0", 4));
  EXPECT_EQ(DataOf(file, RegRoot::kLocalMachine, "K", ""), Sz("def"));
}

TEST(RegistryValues, HexStringsOfWineFilesAreUtf16AndKeepTheirLength) {
  const RegistryFile file = WineKey(
      "\"empty\"=hex(1):\n"
      "\"unterminated\"=hex(1):61,00,62,00,63,00\n"
      "\"odd\"=hex(2):61,00,62\n"
      "\"euro\"=hex(7):ac,20,00,00,00,00\n"
      "\"qword\"=hex(b):01,00,00,00,00,00,00,00\n"
      "\"custom\"=hex(100):ab,cd\n");
  const auto empty = ValueOf(file, RegRoot::kLocalMachine, "K", "empty");
  ASSERT_TRUE(empty);
  EXPECT_EQ(empty->type, kRegSz);
  EXPECT_EQ(empty->data, "");
  EXPECT_EQ(DataOf(file, RegRoot::kLocalMachine, "K", "unterminated"), "abc");
  EXPECT_EQ(DataOf(file, RegRoot::kLocalMachine, "K", "odd"), "a");
  EXPECT_EQ(DataOf(file, RegRoot::kLocalMachine, "K", "euro"), std::string("\x80\0\0", 3));
  EXPECT_EQ(ValueOf(file, RegRoot::kLocalMachine, "K", "qword")->type, 0xbu);
  EXPECT_EQ(DataOf(file, RegRoot::kLocalMachine, "K", "qword").size(), 8u);
  EXPECT_EQ(ValueOf(file, RegRoot::kLocalMachine, "K", "custom")->type, 0x100u);
  EXPECT_EQ(DataOf(file, RegRoot::kLocalMachine, "K", "custom"), "\xab\xcd");
}

TEST(RegistryValues, Regedit4HexStringsStayAnsiBytes) {
  const RegistryFile file =
      ParseReg("REGEDIT4\r\n[HKLM\\K]\r\n\"e\"=hex(2):41,e9,80,00\r\n\"s\"=hex(1):41,42\r\n");
  EXPECT_EQ(DataOf(file, RegRoot::kLocalMachine, "K", "e"), Sz("A\xE9\x80"));
  EXPECT_EQ(DataOf(file, RegRoot::kLocalMachine, "K", "s"), "AB");
}

}  // namespace
}  // namespace tpl::test
