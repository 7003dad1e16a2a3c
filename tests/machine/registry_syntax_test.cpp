// Escapes, continuation lines, spacing and the less common value types.
#include <gtest/gtest.h>

#include "machine/registry_test_util.h"

namespace tpl::test {
namespace {

using namespace std::string_literals;

const std::string kWineHead = "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n";

TEST(RegistrySyntax, WineValues) {
  const RegistryFile file = ParseReg(kWineHead + "[K] 1796587031\n" +
      "\"simple\"=\"\\\\ \\\" \\a\\b\\t\\n\\v\\f\\r\\e\"\n"
      "\"octal\"=\"\\0|\\001|\\101|\\1011|\\8\"\n"
      "\"hex\"=\"\\x41|\\x20ac|\\x0041B|\\x41g|\\xz|\\x\"\n"
      "\"other\"=\"\\q\\[\\]\\%\"\n"
      // UTF-8 text becomes CP-1252; what it cannot hold becomes '?'; stray bytes stay.
      "\"accents\"=\"\xC3\xA9\xC3\x89\xE2\x82\xAC\xC5\x93\"\n"
      "\"unmappable\"=\"\xE4\xB8\xAD|\\x3042|\xF0\x9F\x98\x80|\\777\"\n"
      "\"stray\"=\"caf\xE9\"\n"
      "\"caf\xC3\xA9\"=\"name\"\n"
      // Hex data continues after ",\"; quoted strings never continue.
      "\"bin\"=hex:01,02,\\\n    03,04,\\\n\t05\n"
      "\"after\"=dword:00000007\n"
      "\"sz\"=hex(1):61,00,\\\n  62,00,00,00\n"
      "\"open\"=\"abc\\\n\"next\"=\"def\"\n"
      "  \"a\" =  \"1\"\n"
      "\"b\"\t=\tdword:2a\n"
      "@ = str:\"def\"\n"
      // Hex strings of Wine files are UTF-16 and keep their length.
      "\"empty\"=hex(1):\n"
      "\"unterminated\"=hex(1):61,00,62,00,63,00\n"
      "\"odd\"=hex(2):61,00,62\n"
      "\"euro\"=hex(7):ac,20,00,00,00,00\n"
      "\"qword\"=hex(b):01,00,00,00,00,00,00,00\n"
      "\"custom\"=hex(100):ab,cd\n"
      // A broken continuation drops only its value: cut by a key, a value, the end.
      "\"cut1\"=hex:01,\\\n"
      "[L] 1796587031\n"
      "\"cut2\"=hex:02,\\\n"
      "\"kept\"=dword:00000001\n"
      "\"cut3\"=hex:03,\\\n");
  const struct { const char* name; std::string data; uint32_t type; } cases[] = {
      {"simple", "\\ \" \a\b\t\n\v\f\r\x1b\0"s, kRegSz},
      {"octal", "\0|\1|A|A1|8\0"s, kRegSz},
      {"hex", "A|\x80|AB|Ag|xz|x\0"s, kRegSz},
      {"other", "q[]%\0"s, kRegSz},
      {"accents", "\xE9\xC9\x80\x9C\0"s, kRegSz},
      {"unmappable", "?|?|??|?\0"s, kRegSz},
      {"stray", "caf\xE9\0"s, kRegSz},
      {"caf\xE9", "name\0"s, kRegSz},
      {"bin", "\x01\x02\x03\x04\x05", kRegBinary},
      {"after", "\7\0\0\0"s, kRegDword},
      {"sz", "ab\0"s, kRegSz},
      {"open", "<none>", 0},
      {"next", "def\0"s, kRegSz},
      {"a", "1\0"s, kRegSz},
      {"b", "\x2a\0\0\0"s, kRegDword},
      {"", "def\0"s, kRegSz},
      {"empty", "", kRegSz},
      {"unterminated", "abc", kRegSz},
      {"odd", "a", kRegExpandSz},
      {"euro", "\x80\0\0"s, kRegMultiSz},
      {"qword", "\1\0\0\0\0\0\0\0"s, 0xbu},
      {"custom", "\xab\xcd", 0x100u},
      {"cut1", "<none>", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(DataOf(file, RegRoot::kLocalMachine, "K", c.name), c.data);
    const auto value = ValueOf(file, RegRoot::kLocalMachine, "K", c.name);
    EXPECT_EQ(value ? value->type : 0u, c.type);
  }
  EXPECT_EQ(DataOf(file, RegRoot::kLocalMachine, "L", "kept"), "\1\0\0\0"s);
  EXPECT_EQ(file.Find(RegRoot::kLocalMachine, "L")->values.size(), 1u);
}

TEST(RegistrySyntax, KeyNamesAndExports) {
  // Wine key names use the same escapes; exports know only backslash and quote,
  // and their hex strings stay ANSI bytes.
  const RegistryFile wine = ParseReg(kWineHead +
                                     "[Software\\\\A\\[1\\]\\\\Caf\\xe9 \xE2\x82\xAC] 1796587031\n");
  const RegKeyData* key = wine.Find(RegRoot::kLocalMachine, "software\\a[1]\\CAF\xE9 \x80");
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(key->path, "Software\\A[1]\\Caf\xE9 \x80");
  const RegistryFile file = ParseReg(
      "REGEDIT4\r\n[HKEY_CURRENT_USER\\K]\r\n\"a\\\"b\"=\"x\\\\y\\\"z\\n\\x41\"\r\n"
      "\"e\"=hex(2):41,e9,80,00\r\n\"s\"=hex(1):41,42\r\n");
  EXPECT_EQ(DataOf(file, RegRoot::kCurrentUser, "K", "a\"b"), "x\\y\"z\\n\\x41\0"s);
  EXPECT_EQ(DataOf(file, RegRoot::kCurrentUser, "K", "e"), "A\xE9\x80\0"s);
  EXPECT_EQ(DataOf(file, RegRoot::kCurrentUser, "K", "s"), "AB");
}

}  // namespace
}  // namespace tpl::test
