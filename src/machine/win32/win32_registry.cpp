#include <windows.h>

#include <vector>

#include "machine/win32/win32_machine_parts.h"

namespace tpl {
namespace win32 {
namespace {

// The 64-bit build exists only to run the Wine tests where 32-bit programs
// cannot run; it reads the registry view a 32-bit program sees.
#ifdef _WIN64
constexpr REGSAM kQueryAccess = KEY_QUERY_VALUE | KEY_WOW64_32KEY;
#else
constexpr REGSAM kQueryAccess = KEY_QUERY_VALUE;
#endif

class Win32RegistryKey : public RegistryKey {
 public:
  explicit Win32RegistryKey(HKEY key) : key_(key) {}
  ~Win32RegistryKey() override { RegCloseKey(key_); }
  Win32RegistryKey(const Win32RegistryKey&) = delete;
  Win32RegistryKey& operator=(const Win32RegistryKey&) = delete;

  ErrorCode QueryValue(const std::string& name, size_t bufferSize, uint32_t* type,
                       std::string* data) override {
    // One spare byte so that a zero-sized buffer is still a buffer: Windows
    // then reports 234 for any data instead of only measuring it.
    std::vector<BYTE> buffer(bufferSize + 1);
    DWORD size = static_cast<DWORD>(bufferSize);
    DWORD valueType = REG_NONE;
    const LONG status =
        RegQueryValueExA(key_, name.c_str(), nullptr, &valueType, buffer.data(), &size);
    data->clear();
    if (status == ERROR_SUCCESS || status == ERROR_MORE_DATA) *type = valueType;
    if (status == ERROR_SUCCESS) {
      data->assign(reinterpret_cast<const char*>(buffer.data()), size);
    }
    return static_cast<ErrorCode>(status);
  }

 private:
  HKEY key_;
};

}  // namespace

ErrorCode OpenRegistryKey(RegRoot root, const std::string& subKey,
                          std::unique_ptr<RegistryKey>* key) {
  HKEY rootKey = root == RegRoot::kLocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
  HKEY opened = nullptr;
  const LONG status = RegOpenKeyExA(rootKey, subKey.c_str(), 0, kQueryAccess, &opened);
  if (status != ERROR_SUCCESS) return static_cast<ErrorCode>(status);
  *key = std::make_unique<Win32RegistryKey>(opened);
  return kErrorSuccess;
}

uint32_t ExpandEnvironment(const std::string& source, size_t bufferSize,
                           std::string* expanded) {
  std::vector<char> buffer(bufferSize + 1, '\0');
  const DWORD needed =
      ExpandEnvironmentStringsA(source.c_str(), buffer.data(), static_cast<DWORD>(bufferSize));
  if (needed != 0 && needed <= bufferSize) expanded->assign(buffer.data());
  return needed;
}

}  // namespace win32
}  // namespace tpl
