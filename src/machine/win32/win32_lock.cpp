// One installation at a time: a named mutex, owned while the lock lives.
// "Global\" makes it one for every session from Windows 2000 on; older
// systems refuse a backslash in the name.
#include <windows.h>

#include "machine/win32/win32_handle.h"
#include "machine/win32/win32_machine_parts.h"

namespace tpl {
namespace win32 {
namespace {

class MutexLock : public MachineLock {
 public:
  explicit MutexLock(HANDLE mutex) : mutex_(mutex) {}
  ~MutexLock() override { ReleaseMutex(mutex_.get()); }

 private:
  ScopedHandle mutex_;
};

const char* MutexName() {
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof version;
  const bool global = GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT &&
                      version.dwMajorVersion >= 5;
  return global ? "Global\\tplsetup" : "tplsetup";
}

}  // namespace

ErrorCode LockInstallation(std::unique_ptr<MachineLock>* lock) {
  HANDLE mutex = CreateMutexA(nullptr, FALSE, MutexName());
  if (mutex == nullptr) return static_cast<ErrorCode>(GetLastError());
  // An owner that ended without releasing it leaves it abandoned: ours now.
  const DWORD waited = WaitForSingleObject(mutex, 0);
  if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) {
    CloseHandle(mutex);
    return kErrorSharingViolation;
  }
  *lock = std::make_unique<MutexLock>(mutex);
  return kErrorSuccess;
}

}  // namespace win32
}  // namespace tpl
