#include "kit/language_table.h"

namespace tpl {

const std::array<CLanguageEntry, kLanguageCount> g_aLanguages = {{
    {"Albanian", 1052},  {"Arabic", 1025},     {"Bulgarian", 1026}, {"Chinese", 1028},
    {"Croatian", 1050},  {"Czech", 1029},      {"Danish", 1030},    {"Dutch", 1043},
    {"English", 1033},   {"Estonian", 1061},   {"Finnish", 1035},   {"French", 1036},
    {"German", 1031},    {"Greek", 1032},      {"Hebrew", 1037},    {"Hindi", 1081},
    {"Hungarian", 1038}, {"Icelandic", 1039},  {"Indonesian", 1057}, {"Italian", 1040},
    {"Japanese", 1041},  {"Korean", 1042},     {"Latvian", 1062},   {"Lithuanian", 1063},
    {"Malay", 1086},     {"Norwegian", 1044},  {"Polish", 1045},    {"Portuguese", 1046},
    {"Romanian", 1048},  {"Russian", 1049},    {"Serbian", 1050},   {"Slovak", 1051},
    {"Slovenian", 1060}, {"Spanish", 1034},    {"Swedish", 1053},   {"Thai", 1054},
    {"Turkish", 1055},   {"Vietnamese", 1066},
}};

CLanguageTable::CLanguageTable() {
  for (size_t row = 0; row < kLanguageCount; ++row) m_aEntries[row] = g_aLanguages[row];
}

std::string CLanguageTable::GetLanguageName(int32_t lcid) const {
  for (const CLanguageEntry& entry : m_aEntries) {
    if (entry.GetLcid() == lcid) return entry.GetName();
  }
  return "";
}

}  // namespace tpl
