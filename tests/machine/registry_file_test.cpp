// The registry file reader. Each registry_files/NAME.reg is read for
// HKEY_LOCAL_MACHINE and all it gave is compared with NAME.expected
// (TPL_UPDATE_LOGS=1 rewrites those; read the diff before committing).
// The vendor.* files describe the same values as Wine stores them and as
// regedit 4 and 5 export them, so they must read the same; the unknown-*
// files have no head we know, and read as no keys with one warning line.
#include <gtest/gtest.h>

#include <filesystem>

#include "machine/wineprefix/registry_file.h"
#include "support/wizard_fixture.h"

namespace tpl::test {
namespace {

const std::string kWineHead = "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n";

RegistryFile Parse(const std::string& bytes, std::string* warning = nullptr) {
  std::string ignored;
  return RegistryFile::Parse(bytes, RegRoot::kLocalMachine, warning ? warning : &ignored);
}

// Bytes outside printable ASCII as \xNN (and "\" as "\\"), so that the expected files stay text.
std::string Escaped(const std::string& bytes) {
  std::string out;
  for (unsigned char c : bytes) {
    char hex[5];
    std::snprintf(hex, sizeof hex, "\\x%02x", c);
    out += c == '\\' ? "\\\\" : c >= 0x20 && c < 0x7f ? std::string(1, static_cast<char>(c)) : hex;
  }
  return out;
}

// The format, the warning, and every key and value of both roots, one a line.
std::string Described(const RegistryFile& file, const std::string& warning) {
  const char* const formats[] = {"unknown", "wine", "regedit4", "regedit5"};
  std::string out = std::string("format ") + formats[static_cast<int>(file.format())] + "\n";
  if (!warning.empty()) out += "warning " + warning + "\n";
  for (RegRoot root : {RegRoot::kLocalMachine, RegRoot::kCurrentUser}) {
    for (const auto& [folded, key] : file.keys(root)) {
      out += (root == RegRoot::kLocalMachine ? "HKLM [" : "HKCU [") + Escaped(key.path) + "]\n";
      for (const auto& [name, value] : key.values) {
        out += "  " + Escaped(value.name) + " = " + std::to_string(value.type) + ":" +
               Escaped(value.data) + "\n";
      }
    }
  }
  return out;
}

TEST(RegistryFile, SampleFilesReadAsExpected) {
  int samples = 0;
  for (const auto& entry : std::filesystem::directory_iterator(
           std::string(TPL_TEST_DATA_DIR) + "/machine/registry_files")) {
    if (entry.path().extension() != ".reg") continue;
    ++samples;
    std::string warning = "stale";
    const RegistryFile file = Parse(ReadHostFile(entry.path()), &warning);
    ExpectDataFile(Described(file, warning), "machine/registry_files/" +
                                                 entry.path().stem().string() + ".expected");
  }
  EXPECT_GE(samples, 10);
}

TEST(RegistryFile, EveryTruncationReadsOnlyWholeStrings) {
  const std::string full = kWineHead + "[Software\\\\Vendor\\\\Caf\\xe9] 1796587031\n"
                           "\"Name\"=\"Some text\"\n\"Multi\"=str(7):\"a\\0b\\0\"\n"
                           "\"Bin\"=hex:01,02,\\\n  03,04\n"
                           "\n[Software\\\\Other] 1796587031\n@=\"default\"\n";
  const RegistryFile whole = Parse(full);
  for (size_t cut = 0; cut <= full.size(); ++cut) {
    SCOPED_TRACE(cut);
    const RegistryFile part = Parse(full.substr(0, cut));
    for (const auto& [path, key] : part.keys(RegRoot::kLocalMachine)) {
      const RegKeyData* wholeKey = whole.Find(RegRoot::kLocalMachine, key.path);
      ASSERT_NE(wholeKey, nullptr) << key.path;
      for (const auto& [name, value] : key.values) {
        if (value.type != kRegSz && value.type != kRegMultiSz) continue;
        ASSERT_NE(wholeKey->FindValue(value.name), nullptr);
        EXPECT_EQ(value.data, wholeKey->FindValue(value.name)->data);
      }
    }
  }
}

TEST(RegistryFile, OverlongLinesAreReadOrSkippedWhole) {
  const std::string big(3 << 20, 'x');
  std::string hex;
  for (int i = 0; i < (1 << 20); ++i) hex += "ab,";
  const RegistryFile file = Parse(kWineHead + "[K] 1\n\"unterminated\"=\"" + big + "\n\"" + big +
                                  "\n\"long\"=\"" + big + "\"\n\"hex\"=hex:" + hex + "\n" +
                                  std::string(2 << 20, '\\') + "\n\"after\"=\"ok\"\n");
  const RegKeyData* key = file.Find(RegRoot::kLocalMachine, "K");
  ASSERT_TRUE(key && key->FindValue("long") && key->FindValue("hex") && key->FindValue("after"));
  EXPECT_EQ(key->values.size(), 3u);
  EXPECT_EQ(key->FindValue("long")->data.size(), big.size() + 1);
  EXPECT_EQ(key->FindValue("hex")->data.size(), size_t{1} << 20);
  EXPECT_EQ(key->FindValue("after")->data, std::string("ok", 3));
}

}  // namespace
}  // namespace tpl::test
