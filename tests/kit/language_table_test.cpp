// The 38 languages the installer knows and the lookup by LCID.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "kit/language_table.h"

namespace tpl {
namespace {

struct Row {
  const char* name;
  int32_t lcid;
};

// The rows in order, with the LCIDs as the standard Windows hexadecimal values.
const Row kRows[] = {
    {"Albanian", 0x041C},  {"Arabic", 0x0401},     {"Bulgarian", 0x0402},  {"Chinese", 0x0404},
    {"Croatian", 0x041A},  {"Czech", 0x0405},      {"Danish", 0x0406},     {"Dutch", 0x0413},
    {"English", 0x0409},   {"Estonian", 0x0425},   {"Finnish", 0x040B},    {"French", 0x040C},
    {"German", 0x0407},    {"Greek", 0x0408},      {"Hebrew", 0x040D},     {"Hindi", 0x0439},
    {"Hungarian", 0x040E}, {"Icelandic", 0x040F},  {"Indonesian", 0x0421}, {"Italian", 0x0410},
    {"Japanese", 0x0411},  {"Korean", 0x0412},     {"Latvian", 0x0426},    {"Lithuanian", 0x0427},
    {"Malay", 0x043E},     {"Norwegian", 0x0414},  {"Polish", 0x0415},     {"Portuguese", 0x0416},
    {"Romanian", 0x0418},  {"Russian", 0x0419},    {"Serbian", 0x041A},    {"Slovak", 0x041B},
    {"Slovenian", 0x0424}, {"Spanish", 0x040A},    {"Swedish", 0x041D},    {"Thai", 0x041E},
    {"Turkish", 0x041F},   {"Vietnamese", 0x042A},
};

TEST(LanguageTable, RowsInOrderAndLookupFindsTheFirstRowWithTheLcid) {
  static_assert(sizeof kRows / sizeof kRows[0] == kLanguageCount);
  const CLanguageTable table;  // the dialog's copy of g_aLanguages
  for (size_t row = 0; row < kLanguageCount; ++row) {
    SCOPED_TRACE(kRows[row].name);
    EXPECT_EQ(g_aLanguages[row].GetName(), kRows[row].name);
    EXPECT_EQ(g_aLanguages[row].GetLcid(), kRows[row].lcid);
    EXPECT_EQ(table.entries()[row].GetName(), kRows[row].name);
    EXPECT_EQ(table.entries()[row].GetLcid(), kRows[row].lcid);
    // 1050 is Croatian's, which comes before Serbian's.
    EXPECT_EQ(table.GetLanguageName(kRows[row].lcid), row == 30 ? "Croatian" : kRows[row].name);
  }
  for (int32_t unknown : {0, -1, -1033, 2052, 1024, 3082, INT32_MAX, INT32_MIN}) {
    EXPECT_EQ(table.GetLanguageName(unknown), "") << unknown;
  }
}

}  // namespace
}  // namespace tpl
