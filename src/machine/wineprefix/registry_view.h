// The prefix's registry as a 32-bit program sees it: system.reg is
// HKEY_LOCAL_MACHINE, user.reg HKEY_CURRENT_USER, each parsed once when
// first needed. In a win64 prefix HKLM\Software\X is read from
// Software\Wow6432Node\X, with no fallback to the 64-bit key.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "machine/machine.h"
#include "machine/wineprefix/registry_file.h"

namespace tpl {

class RegistryView {
 public:
  explicit RegistryView(std::string prefix);

  // RegOpenKeyExA. 0: *key is open. 2: no such key. 5: the hive's file
  // cannot be read.
  ErrorCode Open(RegRoot root, const std::string& subKey, std::unique_ptr<RegistryKey>* key);

  // A string value (REG_SZ or REG_EXPAND_SZ) without its terminator.
  bool ReadString(RegRoot root, const std::string& subKey, const std::string& name,
                  std::string* value, uint32_t* type = nullptr);
  bool ReadDword(RegRoot root, const std::string& subKey, const std::string& name,
                 uint32_t* value);

  // Every value of a key (none when it cannot be opened).
  std::vector<RegValueData> Values(RegRoot root, const std::string& subKey);

  // Whether system.reg says "#arch=win64".
  bool Win64();

 private:
  struct Hive {
    bool loaded = false;
    ErrorCode error = kErrorSuccess;
    std::shared_ptr<const RegistryFile> file;
  };
  Hive& Load(RegRoot root);
  std::string StoredPath(RegRoot root, const std::string& subKey);

  std::string prefix_;
  Hive hives_[2];
};

}  // namespace tpl
