// The 38 languages the installer knows, by Windows locale id (LCID).
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace tpl {

class CLanguageEntry {
 public:
  CLanguageEntry() = default;
  CLanguageEntry(std::string name, int32_t lcid) : m_strName(std::move(name)), m_nLcid(lcid) {}

  std::string GetName() const { return m_strName; }
  int32_t GetLcid() const { return m_nLcid; }

 private:
  std::string m_strName;
  int32_t m_nLcid = 0;
};

constexpr size_t kLanguageCount = 38;

// English (United States): the language used when none is found or chosen,
// and the only one FrontPage 2003 reads DWTs in.
constexpr int kEnglishLcid = 1033;

// The static table, in row order (alphabetical by English name).
extern const std::array<CLanguageEntry, kLanguageCount> g_aLanguages;

class CLanguageTable {
 public:
  CLanguageTable();  // a copy of g_aLanguages

  // The name of the first row whose LCID equals `lcid`, or "" when none does.
  std::string GetLanguageName(int32_t lcid) const;
  const std::array<CLanguageEntry, kLanguageCount>& entries() const { return m_aEntries; }

 private:
  std::array<CLanguageEntry, kLanguageCount> m_aEntries;
};

}  // namespace tpl
