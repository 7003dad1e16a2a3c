// Bad input: skipped where unreadable, never a crash or a hang (the fuzz
// target tries random bytes).
#include <gtest/gtest.h>

#include "machine/registry_test_util.h"

namespace tpl::test {
namespace {

using namespace std::string_literals;

const std::string kWineHead = "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n";

TEST(RegistryBadInput, NoKnownHeaderReadsAsEmptyWithOneWarning) {
  const std::string body = "[Software\\\\A] 1\n\"v\"=\"x\"\n";
  const std::string cases[] = {
      "",
      body,
      "WINE REGISTRY Version 1\n" + body,
      " WINE REGISTRY Version 2\n" + body,
      "REGEDIT5\r\n[HKLM\\A]\r\n\"v\"=\"x\"\r\n",
      Utf16Le("WINE REGISTRY Version 2\n" + body),
      std::string("\xFF\xFE", 2),
      std::string("\xFF\xFE\x00", 3),
      std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16),
  };
  std::string first;
  for (const std::string& bytes : cases) {
    std::string warning;
    const RegistryFile file = ParseReg(bytes, RegRoot::kLocalMachine, &warning);
    EXPECT_EQ(file.format(), RegFileFormat::kUnknown);
    EXPECT_EQ(file.keyCount(), 0u);
    EXPECT_FALSE(warning.empty());
    EXPECT_EQ(warning.back(), '.');
    EXPECT_EQ(warning.find('\n'), std::string::npos);
    if (first.empty()) first = warning;
    EXPECT_EQ(warning, first);
  }
}

TEST(RegistryBadInput, EveryTruncationReadsOnlyWholeParts) {
  const std::string full = kWineHead +
                           "[Software\\\\Vendor\\\\Caf\\xe9] 1796587031\n"
                           "\"Name\"=\"Some text\"\n"
                           "\"Multi\"=str(7):\"a\\0b\\0\"\n"
                           "\"Bin\"=hex:01,02,\\\n  03,04\n"
                           "\n[Software\\\\Other] 1796587031\n"
                           "@=\"default\"\n";
  const RegistryFile whole = ParseReg(full);
  for (size_t cut = 0; cut <= full.size(); ++cut) {
    SCOPED_TRACE(cut);
    const RegistryFile part = ParseReg(full.substr(0, cut));
    for (RegRoot root : {RegRoot::kLocalMachine, RegRoot::kCurrentUser}) {
      for (const auto& [path, key] : part.keys(root)) {
        const RegKeyData* wholeKey = whole.Find(root, key.path);
        ASSERT_NE(wholeKey, nullptr) << key.path;
        for (const auto& [name, value] : key.values) {
          // A quoted string is never read half.
          if (value.type != kRegSz && value.type != kRegMultiSz) continue;
          ASSERT_NE(wholeKey->FindValue(value.name), nullptr);
          EXPECT_EQ(value.data, wholeKey->FindValue(value.name)->data);
        }
      }
    }
  }
}

TEST(RegistryBadInput, OverlongLinesAreReadOrSkippedWhole) {
  const std::string big(3 << 20, 'x');
  std::string hex;
  hex.reserve(3 * (1 << 20));
  for (int i = 0; i < (1 << 20); ++i) hex += "ab,";
  const RegistryFile file = ParseReg(kWineHead + "[K] 1\n" +
                                     "\"unterminated\"=\"" + big + "\n" +
                                     "\"" + big + "\n" +
                                     "\"long\"=\"" + big + "\"\n" +
                                     "\"hex\"=hex:" + hex + "\n" +
                                     std::string(2 << 20, '\\') + "\n" +
                                     "\"after\"=\"ok\"\n");
  EXPECT_FALSE(ValueOf(file, RegRoot::kLocalMachine, "K", "unterminated"));
  EXPECT_EQ(DataOf(file, RegRoot::kLocalMachine, "K", "long").size(), big.size() + 1);
  EXPECT_EQ(DataOf(file, RegRoot::kLocalMachine, "K", "hex").size(), size_t{1} << 20);
  EXPECT_EQ(DataOf(file, RegRoot::kLocalMachine, "K", "after"), std::string("ok", 3));
  EXPECT_EQ(file.Find(RegRoot::kLocalMachine, "K")->values.size(), 3u);
}

TEST(RegistryBadInput, UnreadableValuesAreSkipped) {
  const RegistryFile file = ParseReg(kWineHead + "\"early\"=\"x\"\n[K] 1\n" +
                                     "\"qword\"=qword:1\n"
                                     "\"str3\"=str(3):\"x\"\n"
                                     "\"hexzz\"=hex(zz):00\n"
                                     "\"hexnocolon\"=hex(2)00\n"
                                     "\"nine\"=dword:123456789\n"
                                     "\"nodigits\"=dword:\n"
                                     "\"bigbyte\"=hex:100\n"
                                     "\"trailing\"=hex:01 zz\n"
                                     "\"noequals\" \"x\"\n"
                                     "\"nothing\"=\n"
                                     "\"escape\"=\"abc\\\n"
                                     "\"hexend\"=\"\\x\n"
                                     "\"name\\\n"
                                     "\"open\"=\"abc\n"
                                     "\"deletion\"=-\n"
                                     "=\"x\"\n"
                                     "\"ok\"=\"yes\"\n"
                                     "[Broken\\\n\"b\"=\"2\"\n");  // values without a readable key go nowhere
  EXPECT_EQ(Dump(file, RegRoot::kLocalMachine), "[K]\nok=1:yes\0\n"s);
  const RegistryFile regedit = ParseReg(
      "REGEDIT4\r\n\"early\"=\"x\"\r\n[HKLM\\K]\r\n\"a\"=\"1\"\r\n[HKLM\\Broken\r\n\"b\"=\"2\"\r\n");
  EXPECT_EQ(Dump(regedit, RegRoot::kLocalMachine), "[K]\na=1:1\0\n"s);
}

}  // namespace
}  // namespace tpl::test
