// Fuzzes RegistryFile::Parse with any bytes, under ASan and UBSan.
//
//   cmake --preset fuzz && cmake --build --preset fuzz
//   mkdir -p build/fuzz/corpus
//   build/fuzz/fuzz/registry_file_fuzz build/fuzz/corpus fuzz/registry_seeds \
//         -dict=fuzz/registry.dict -max_len=8192 -max_total_time=300
//
// (libFuzzer needs libclang-rt-14-dev on Debian; .ci/run runs a short, fixed
// number of inputs.) Besides crashes, it stops on a broken index: a key or
// value that lookups cannot find again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "machine/wineprefix/registry_file.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

void CheckIndex(const tpl::RegistryFile& file) {
  size_t keys = 0;
  for (tpl::RegRoot root : {tpl::RegRoot::kLocalMachine, tpl::RegRoot::kCurrentUser}) {
    for (const auto& [folded, key] : file.keys(root)) {
      ++keys;
      Check(file.Find(root, key.path) == &key);
      for (const auto& [name, value] : key.values) {
        Check(key.FindValue(value.name) == &value);
      }
    }
  }
  Check(keys == file.keyCount());
  if (file.format() != tpl::RegFileFormat::kWine) Check(!file.win64());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  std::string warning;
  const tpl::RegistryFile file = tpl::RegistryFile::Parse(bytes, tpl::RegRoot::kCurrentUser, &warning);
  Check(warning.empty() == (file.format() != tpl::RegFileFormat::kUnknown));
  CheckIndex(file);
  return 0;
}
