#include "machine/wineprefix/path_resolver.h"

#include <unistd.h>

#include <climits>
#include <cstdlib>

namespace tpl {
namespace {

std::string Join(const std::string& dir, const std::string& name) {
  return !dir.empty() && dir.back() == '/' ? dir + name : dir + "/" + name;
}

std::string WorkingFolder() {
  char buffer[PATH_MAX];
  return getcwd(buffer, sizeof buffer) ? std::string(buffer) : std::string("/");
}

}  // namespace

PathResolver::PathResolver(std::string prefix, std::string currentFolder,
                           DirectoryCache& cache)
    : prefix_(std::move(prefix)), currentFolder_(std::move(currentFolder)), cache_(cache) {
  if (currentFolder_.empty()) currentFolder_ = WorkingFolder();
  while (currentFolder_.size() > 1 && currentFolder_.back() == '/') currentFolder_.pop_back();
}

std::string PathResolver::DriveFolder(char drive, bool again) {
  if (!again) {
    const auto known = driveFolders_.find(drive);
    if (known != driveFolders_.end()) return known->second;
  }
  driveFolders_.erase(drive);
  const std::string link = prefix_ + "/dosdevices/" + drive + ":";
  char real[PATH_MAX];
  // A drive without a dosdevices entry (or whose target is gone) has none.
  if (realpath(link.c_str(), real) == nullptr) return std::string();
  if (cache_.CheckFolder(real) != kErrorSuccess) return std::string();
  return driveFolders_[drive] = real;
}

std::string PathResolver::CurrentFolderBase(int upLevels) const {
  std::string base = currentFolder_;
  for (int i = 0; i < upLevels && base.size() > 1; ++i) {
    const size_t slash = base.find_last_of('/');
    base = slash == 0 || slash == std::string::npos ? "/" : base.substr(0, slash);
  }
  return base;
}

ErrorCode PathResolver::Resolve(const std::string& windowsPath, Purpose purpose,
                                ResolvedPath* resolved) {
  *resolved = ResolvedPath();
  WindowsPath path;
  ErrorCode error = ParseWindowsPath(windowsPath, purpose == Purpose::kSearch, &path);
  if (error != kErrorSuccess) return error;
  error = ResolveParsed(path, purpose, resolved);
  if (error != kErrorSuccess && path.base == WindowsPath::Base::kDrive &&
      driveFolders_.count(path.drive)) {
    // The drive's link may lead elsewhere since it was followed.
    const std::string followed = driveFolders_[path.drive];
    if (DriveFolder(path.drive, true) != followed) error = ResolveParsed(path, purpose, resolved);
  }
  return error;
}

ErrorCode PathResolver::ResolveParsed(const WindowsPath& path, Purpose purpose,
                                      ResolvedPath* resolved) {
  *resolved = ResolvedPath();
  resolved->trailingSeparator = path.trailingSeparator;
  ErrorCode error = kErrorSuccess;

  std::string folder;
  bool atRoot = true;  // `folder` is a drive's root
  if (path.base == WindowsPath::Base::kDrive) {
    folder = DriveFolder(path.drive, false);
    if (folder.empty()) return kErrorPathNotFound;
    if (path.parts.empty()) {
      resolved->unixPath = folder;
      resolved->exists = true;
      resolved->isRoot = true;
      return kErrorSuccess;
    }
  } else {
    folder = CurrentFolderBase(path.upLevels);
    atRoot = folder == "/";
    if (path.parts.empty()) {
      // The current folder itself: name it by its own last part.
      const size_t slash = folder.find_last_of('/');
      resolved->unixPath = folder;
      resolved->exists = true;
      if (folder == "/") {
        resolved->isRoot = true;
      } else {
        resolved->folder = slash == 0 ? "/" : folder.substr(0, slash);
        resolved->name = folder.substr(slash + 1);
      }
      return kErrorSuccess;
    }
  }

  for (size_t i = 0; i < path.parts.size(); ++i) {
    const std::string& part = path.parts[i];
    const bool last = i + 1 == path.parts.size();
    resolved->inRoot = atRoot;
    if (last && purpose == Purpose::kSearch && HasWildcards(part)) {
      // A search pattern names no entry; the search lists its folder afresh,
      // which tells whether it exists.
      resolved->folder = folder;
      resolved->name = part;
      resolved->unixPath = Join(folder, part);
      return kErrorSuccess;
    }
    std::string onDisk;
    const bool lookOnDisk = !last || purpose != Purpose::kCreate;
    error = cache_.Find(folder, part, lookOnDisk, &onDisk);
    if (error == kErrorFileNotFound) {
      if (!last) return kErrorPathNotFound;
      resolved->folder = folder;
      resolved->name = part;
      resolved->unixPath = Join(folder, part);
      return kErrorSuccess;
    }
    if (error != kErrorSuccess) return error;
    if (last) {
      resolved->folder = folder;
      resolved->name = onDisk;
      resolved->exists = true;
      resolved->unixPath = Join(folder, onDisk);
      return kErrorSuccess;
    }
    folder = Join(folder, onDisk);
    atRoot = false;
  }
  return kErrorSuccess;  // not reached: parts is not empty
}

}  // namespace tpl
