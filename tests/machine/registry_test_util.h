// Helpers for the registry file tests: parsing, reading one value, and
// writing a "Version 5.00" export in UTF-16LE as regedit does.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "machine/wineprefix/registry_file.h"

namespace tpl::test {

inline RegistryFile ParseReg(const std::string& bytes, RegRoot root = RegRoot::kLocalMachine,
                             std::string* warning = nullptr) {
  std::string ignored;
  return RegistryFile::Parse(bytes, root, warning ? warning : &ignored);
}

inline std::optional<RegValueData> ValueOf(const RegistryFile& file, RegRoot root,
                                           const std::string& key, const std::string& name) {
  const RegKeyData* found = file.Find(root, key);
  if (!found) return std::nullopt;
  const RegValueData* value = found->FindValue(name);
  if (value) return *value;
  return std::nullopt;
}

// The data of a value, or "<none>" when the key or value is missing.
inline std::string DataOf(const RegistryFile& file, RegRoot root, const std::string& key,
                          const std::string& name) {
  const auto value = ValueOf(file, root, key, name);
  return value ? value->data : "<none>";
}

// Every key and value of a root, one line each, to compare whole indexes.
inline std::string Dump(const RegistryFile& file, RegRoot root) {
  std::string out;
  for (const auto& [folded, key] : file.keys(root)) {
    out += "[" + key.path + "]\n";
    for (const auto& [name, value] : key.values) {
      out += value.name + "=" + std::to_string(value.type) + ":" + value.data + "\n";
    }
  }
  return out;
}

// UTF-8 text as UTF-16LE bytes, with the FF FE mark when `bom`.
inline std::string Utf16Le(std::string_view utf8, bool bom = true) {
  std::string out = bom ? std::string("\xFF\xFE") : std::string();
  auto put = [&out](uint32_t unit) {
    out.push_back(static_cast<char>(unit & 0xFF));
    out.push_back(static_cast<char>(unit >> 8));
  };
  for (size_t i = 0; i < utf8.size();) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    uint32_t cp = c;
    int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
    if (extra) cp = c & (0x3F >> extra);
    for (int k = 1; k <= extra && i + k < utf8.size(); ++k) {
      cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    }
    i += 1 + extra;
    if (cp >= 0x10000) {
      put(0xD800 + ((cp - 0x10000) >> 10));
      put(0xDC00 + ((cp - 0x10000) & 0x3FF));
    } else {
      put(cp);
    }
  }
  return out;
}

}  // namespace tpl::test
