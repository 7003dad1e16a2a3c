// A registry file parsed into an index: Wine's own files (system.reg,
// user.reg), REGEDIT4 and "Windows Registry Editor Version 5.00" exports.
// Bad input never crashes or hangs: unreadable parts are skipped.
#pragma once

#include <map>
#include <string>

#include "machine/machine.h"

namespace tpl {

struct RegValueData {
  std::string name;  // as written
  uint32_t type = kRegNone;
  // The bytes RegQueryValueExA delivers: strings converted to the ANSI code
  // page (CP1252) with their terminator(s), DWORDs as 4 little-endian bytes.
  std::string data;
};

struct RegKeyData {
  std::string path;  // as written, relative to its root
  std::map<std::string, RegValueData> values;  // keyed by name, ASCII lower-cased

  // The value `name` (any case; "" is the default value), or nullptr.
  const RegValueData* FindValue(const std::string& name) const;
};

enum class RegFileFormat { kUnknown, kWine, kRegedit4, kRegedit5 };

class RegistryFile {
 public:
  // Parses a file's bytes. Wine files hold keys relative to `defaultRoot`;
  // export files name their hive on every key (HKEY_LOCAL_MACHINE,
  // HKEY_CURRENT_USER, HKLM, HKCU) and keys of other hives are dropped. A
  // file with no known header is read as empty and *warning says so in one
  // sentence; otherwise *warning is cleared.
  static RegistryFile Parse(const std::string& bytes, RegRoot defaultRoot,
                            std::string* warning);

  RegFileFormat format() const { return format_; }
  bool win64() const { return win64_; }  // Wine's "#arch=win64"
  // The key at `path` (below its root, any case), or nullptr. The parents of
  // every key in the file exist too, with no values, as in the registry.
  const RegKeyData* Find(RegRoot root, const std::string& path) const;
  size_t keyCount() const { return keys_[0].size() + keys_[1].size(); }
  // Every key below `root`, keyed by its path, ASCII lower-cased.
  const std::map<std::string, RegKeyData>& keys(RegRoot root) const {
    return keys_[root == RegRoot::kLocalMachine ? 0 : 1];
  }

 private:
  friend class RegistryFileBuilder;
  RegFileFormat format_ = RegFileFormat::kUnknown;
  bool win64_ = false;
  std::map<std::string, RegKeyData> keys_[2];  // per root, keyed by path, ASCII lower-cased
};

}  // namespace tpl
