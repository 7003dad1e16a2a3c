#include "machine/wineprefix/path_resolver.h"

#include <unistd.h>

#include <climits>
#include <cstdlib>

#include "machine/wineprefix/unix_path.h"

namespace tpl {
namespace {

// Whether the part of `text` after `start` is a name that the path's
// normalisation leaves as it is, with no wildcard: then the folder before it
// is that of any other such name after the same text.
bool PlainLastPart(const std::string& text, size_t start) {
  const size_t size = text.size() - start;
  if (size == 0) return false;
  const char last = text.back();
  if (last == '.' || last == ' ') return false;  // also "." and ".."
  for (size_t i = start; i < text.size(); ++i) {
    const char c = text[i];
    if (static_cast<unsigned char>(c) < 0x20) return false;
    switch (c) {
      case '<': case '>': case '|': case '"': case ':': case '*': case '?': return false;
      default: break;
    }
  }
  return true;
}

size_t LastSeparator(const std::string& text) { return text.find_last_of("\\/"); }

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
  for (KnownFolder& known : knownFolders_) known.text.clear();
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
  ErrorCode error = kErrorSuccess;
  // A failure takes the full way, which also looks at the drive's link again.
  if (ResolveInKnownFolder(windowsPath, purpose, resolved, &error) && error == kErrorSuccess) {
    return error;
  }
  *resolved = ResolvedPath();
  WindowsPath path;
  error = ParseWindowsPath(windowsPath, purpose == Purpose::kSearch, &path);
  if (error != kErrorSuccess) return error;
  error = ResolveParsed(path, purpose, resolved);
  if (error != kErrorSuccess && path.base == WindowsPath::Base::kDrive &&
      driveFolders_.count(path.drive)) {
    // The drive's link may lead elsewhere since it was followed.
    const std::string followed = driveFolders_[path.drive];
    if (DriveFolder(path.drive, true) != followed) error = ResolveParsed(path, purpose, resolved);
  }
  if (error == kErrorSuccess && !path.parts.empty()) RememberFolder(windowsPath, *resolved);
  return error;
}

bool PathResolver::ResolveInKnownFolder(const std::string& text, Purpose purpose,
                                        ResolvedPath* resolved, ErrorCode* error) {
  if (knownGeneration_ != cache_.generation()) {
    for (KnownFolder& known : knownFolders_) known.text.clear();
    knownGeneration_ = cache_.generation();
    return false;
  }
  const size_t separator = LastSeparator(text);
  if (separator == std::string::npos || !PlainLastPart(text, separator + 1)) return false;
  for (const KnownFolder& known : knownFolders_) {
    if (known.text.size() != separator + 1 || text.compare(0, separator + 1, known.text) != 0) {
      continue;
    }
    *resolved = ResolvedPath();
    resolved->inRoot = known.atRoot;
    *error = ResolveLastPart(known.unixPath, text.substr(separator + 1), purpose, resolved);
    return true;
  }
  return false;
}

void PathResolver::RememberFolder(const std::string& text, const ResolvedPath& resolved) {
  const size_t separator = LastSeparator(text);
  if (separator == std::string::npos || !PlainLastPart(text, separator + 1)) return;
  // Resolving may have changed the cache: what is remembered holds for it now.
  if (knownGeneration_ != cache_.generation()) {
    for (KnownFolder& known : knownFolders_) known.text.clear();
    knownGeneration_ = cache_.generation();
  }
  KnownFolder& slot = knownFolders_[nextKnownFolder_];
  nextKnownFolder_ = (nextKnownFolder_ + 1) % knownFolders_.size();
  slot.text.assign(text, 0, separator + 1);
  slot.unixPath = resolved.folder;
  slot.atRoot = resolved.inRoot;
}

ErrorCode PathResolver::ResolveLastPart(const std::string& folder, const std::string& part,
                                        Purpose purpose, ResolvedPath* resolved) {
  if (purpose == Purpose::kSearch && HasWildcards(part)) {
    // A search pattern names no entry; the search lists its folder afresh,
    // which tells whether it exists.
    resolved->folder = folder;
    resolved->name = part;
    resolved->unixPath = JoinUnixPath(folder, part);
    return kErrorSuccess;
  }
  std::string onDisk;
  const ErrorCode error = cache_.Find(folder, part, purpose != Purpose::kCreate, &onDisk);
  if (error == kErrorFileNotFound) {
    resolved->folder = folder;
    resolved->name = part;
    resolved->unixPath = JoinUnixPath(folder, part);
    return kErrorSuccess;
  }
  if (error != kErrorSuccess) return error;
  resolved->folder = folder;
  resolved->name = onDisk;
  resolved->exists = true;
  resolved->unixPath = JoinUnixPath(folder, onDisk);
  return kErrorSuccess;
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

  for (size_t i = 0; i + 1 < path.parts.size(); ++i) {
    std::string onDisk;
    error = cache_.Find(folder, path.parts[i], true, &onDisk);
    if (error == kErrorFileNotFound) return kErrorPathNotFound;
    if (error != kErrorSuccess) return error;
    folder = JoinUnixPath(folder, onDisk);
    atRoot = false;
  }
  resolved->inRoot = atRoot;
  return ResolveLastPart(folder, path.parts.back(), purpose, resolved);
}

}  // namespace tpl
