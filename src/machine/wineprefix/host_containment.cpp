// Whether an entry reached from the current folder (the kit) stays inside
// it: a kit may hold links, but none that reaches the user's other files,
// and nothing that is not a plain file or folder.
#include <sys/stat.h>

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

ErrorCode HostFiles::CheckInsideCurrentFolder(const std::string& path) {
  ResolvedPath resolved;
  const ErrorCode error = ResolveExisting(path, &resolved);
  if (error != kErrorSuccess) return error;
  return CheckContained(resolved.unixPath);
}

}  // namespace tpl
