// Creating folders and telling folders apart.
#include <sys/stat.h>

#include <cerrno>

#include "machine/wineprefix/errno_codes.h"
#include "machine/wineprefix/host_files.h"

namespace tpl {

ErrorCode HostFiles::ResolveExisting(const std::string& path, ResolvedPath* resolved) {
  const ErrorCode error = resolver_.Resolve(path, PathResolver::Purpose::kLookUp, resolved);
  if (error != kErrorSuccess) return error;
  return resolved->exists ? kErrorSuccess : kErrorFileNotFound;
}

ErrorCode HostFiles::MakeDirectory(const std::string& path) {
  // mkdir itself refuses a name that someone else has just made.
  ResolvedPath resolved;
  ErrorCode error = resolver_.Resolve(path, PathResolver::Purpose::kCreate, &resolved);
  if (error != kErrorSuccess) return error;
  struct stat info;
  if (resolved.exists && !resolved.isRoot && lstat(resolved.unixPath.c_str(), &info) != 0) {
    // Removed by someone else since it was listed: look again.
    resolver_.cache().Removed(resolved.folder, resolved.name);
    error = resolver_.Resolve(path, PathResolver::Purpose::kCreate, &resolved);
    if (error != kErrorSuccess) return error;
  }
  // Any spelling of an existing name is that name.
  if (resolved.exists) return kErrorAlreadyExists;
  const std::string& name = resolved.name;
  if (InFolder(resolved.folder, [&](int dir) { return mkdirat(dir, name.c_str(), 0777); }) != 0) {
    return ErrorFromErrno(errno, kErrorPathNotFound);
  }
  resolver_.cache().AddedFolder(resolved.folder, resolved.name);
  return kErrorSuccess;
}

ErrorCode HostFiles::FolderIdentity(const std::string& path, std::string* identity) {
  ResolvedPath resolved;
  const ErrorCode error = ResolveExisting(path, &resolved);
  if (error != kErrorSuccess) return error;
  struct stat info;
  if (stat(resolved.unixPath.c_str(), &info) != 0) return ErrorFromErrno(errno);
  if (!S_ISDIR(info.st_mode)) return kErrorPathNotFound;
  *identity = std::to_string(static_cast<unsigned long long>(info.st_dev)) + ":" +
              std::to_string(static_cast<unsigned long long>(info.st_ino));
  return kErrorSuccess;
}

}  // namespace tpl
