// Whether an entry reached from the current folder (the kit) stays inside
// it: a kit may hold links, but none that reaches the user's other files,
// and nothing that is not a plain file or folder.
#include <fcntl.h>
#include <linux/openat2.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "machine/wineprefix/errno_codes.h"
#include "machine/wineprefix/host_files.h"

namespace tpl {
namespace {

bool Inside(const std::string& path, const std::string& folder) {
  if (folder == "/") return true;
  return path.compare(0, folder.size(), folder) == 0 &&
         (path.size() == folder.size() || path[folder.size()] == '/');
}

}  // namespace

bool HostFiles::BelowCurrentFolder(const std::string& unixPath) const {
  const std::string& current = resolver_.currentFolder();
  return unixPath.size() > current.size() && Inside(unixPath, current);
}

ErrorCode HostFiles::CheckContained(const std::string& unixPath) {
  char real[PATH_MAX];
  if (realCurrentFolder_.empty()) {
    if (realpath(resolver_.currentFolder().c_str(), real) == nullptr) {
      return ErrorFromErrno(errno, kErrorPathNotFound);
    }
    realCurrentFolder_ = real;
  }
  if (realpath(unixPath.c_str(), real) == nullptr) return ErrorFromErrno(errno);
  if (!Inside(real, realCurrentFolder_)) return kErrorAccessDenied;
  struct stat info;
  if (stat(real, &info) != 0) return ErrorFromErrno(errno);
  return S_ISREG(info.st_mode) || S_ISDIR(info.st_mode) ? kErrorSuccess : kErrorCantAccessFile;
}

int HostFiles::OpenBelowCurrentFolder(const std::string& unixPath, int flags) {
#ifdef SYS_openat2
  const std::string& current = resolver_.currentFolder();
  if (currentFolder_.get() < 0) {
    currentFolder_.Reset(open(current.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (currentFolder_.get() < 0) return -1;
  }
  open_how how{};
  how.flags = static_cast<uint64_t>(flags);
  how.resolve = RESOLVE_BENEATH | RESOLVE_NO_MAGICLINKS;
  const char* const below = unixPath.c_str() + (current == "/" ? 1 : current.size() + 1);
  return static_cast<int>(syscall(SYS_openat2, currentFolder_.get(), below, &how, sizeof how));
#else
  (void)unixPath;
  (void)flags;
  errno = ENOSYS;
  return -1;
#endif
}

ErrorCode HostFiles::CheckInsideCurrentFolder(const std::string& path) {
  ResolvedPath resolved;
  const ErrorCode error = ResolveExisting(path, &resolved);
  if (error != kErrorSuccess) return error;
  return CheckContained(resolved.unixPath);
}

}  // namespace tpl
