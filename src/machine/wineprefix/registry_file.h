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
  std::map<std::string, RegValueData> values;  // keyed by lower-cased name
};

enum class RegFileFormat { kUnknown, kWine, kRegedit4, kRegedit5 };

class RegistryFile {
 public:
  // Parses a file's bytes. Wine files hold keys relative to `defaultRoot`;
  // export files name their hive on every key (HKEY_LOCAL_MACHINE,
  // HKEY_CURRENT_USER, ...) and keys of other hives are dropped. A file with
  // no known header is read as empty and *warning says so.
  static RegistryFile Parse(const std::string& bytes, RegRoot defaultRoot,
                            std::string* warning);

  RegFileFormat format() const { return format_; }
  bool win64() const { return win64_; }  // Wine's "#arch=win64"
  // The key at `path` (below its root, any case), or nullptr.
  const RegKeyData* Find(RegRoot root, const std::string& path) const;
  size_t keyCount() const { return keys_[0].size() + keys_[1].size(); }

 private:
  RegFileFormat format_ = RegFileFormat::kUnknown;
  bool win64_ = false;
  std::map<std::string, RegKeyData> keys_[2];  // per root, keyed by lower-cased path
};

}  // namespace tpl
