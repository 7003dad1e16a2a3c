#include "machine/wineprefix/path_resolver.h"

#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <cstdlib>

#include "machine/wineprefix/unix_path.h"

namespace tpl {
namespace {

// Whether text[start, end) is a name that the path's normalisation leaves
// as it is, with no wildcard unless `wildcards` (a search's pattern): then
// the folder before it is that of any other such name after the same text.
bool PlainPart(const std::string& text, size_t start, size_t end, bool wildcards = false) {
  if (end <= start) return false;
  const char last = text[end - 1];
  if (last == '.' || last == ' ') return false;  // also "." and ".."
  for (size_t i = start; i < end; ++i) {
    const char c = text[i];
    if (static_cast<unsigned char>(c) < 0x20) return false;
    switch (c) {
      case '<': case '>': case '|': case '"': case ':': return false;
      case '*': case '?': if (!wildcards) return false; break;
      default: break;
    }
  }
  return true;
}

// Whether `known` is text[0, size). Asked of every remembered folder for
// every path: compared in place.
bool IsStartOf(const std::string& known, const std::string& text, size_t size) {
  return known.size() == size && std::memcmp(known.data(), text.data(), size) == 0;
}

// The last "\" or "/" at or before `from` (npos: from the end), or npos.
// A copy asks this of every path: the loop stops at the last part, which is
// short, where find_last_of scanned for either character in turn.
size_t LastSeparator(const std::string& text, size_t from = std::string::npos) {
  for (size_t i = std::min(from, text.size() - 1) + 1; i > 0; --i) {
    if (text[i - 1] == '\\' || text[i - 1] == '/') return i - 1;
  }
  return std::string::npos;
}

// The separator before the folder name that ends at `separator`, when that
// name is plain; else npos.
size_t SeparatorBefore(const std::string& text, size_t separator) {
  if (separator == 0 || separator == std::string::npos) return std::string::npos;
  const size_t before = LastSeparator(text, separator - 1);
  if (before == std::string::npos || !PlainPart(text, before + 1, separator)) {
    return std::string::npos;
  }
  return before;
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
  resolved->Reset();
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
  if (error == kErrorSuccess && !path.parts.empty()) {
    // The folders above it too: the walk's next folders are found from there.
    RememberFoldersAbove(windowsPath, path, *resolved);
    RememberFolder(windowsPath, *resolved);
  }
  return error;
}

const PathResolver::KnownFolder* PathResolver::Known(const std::string& text, size_t size) {
  for (KnownFolder& known : knownFolders_) {
    if (IsStartOf(known.text, text, size)) {
      known.used = ++knownUses_;
      return &known;
    }
  }
  return nullptr;
}

bool PathResolver::ResolveInKnownFolder(const std::string& text, Purpose purpose,
                                        ResolvedPath* resolved, ErrorCode* error) {
  if (knownGeneration_ != cache_.generation()) {
    for (KnownFolder& known : knownFolders_) known.text.clear();
    knownGeneration_ = cache_.generation();
    return false;
  }
  const size_t separator = LastSeparator(text);
  if (separator == std::string::npos ||
      !PlainPart(text, separator + 1, text.size(), purpose == Purpose::kSearch)) {
    return false;
  }
  if (const KnownFolder* known = Known(text, separator + 1)) {
    resolved->ResetFacts();
    resolved->inRoot = known->atRoot;
    lastPart_.assign(text, separator + 1, std::string::npos);
    *error = ResolveLastPart(known->unixPath, lastPart_, purpose, resolved);
    return true;
  }

  // A folder the walk has just gone down into: a folder a few parts above it
  // is known, and the parts below that are looked up in turn. A part not
  // found takes the full way, which tells why.
  constexpr int kPartsLookedUp = 4;
  size_t below = separator;  // the separator after the known folder
  const KnownFolder* above = nullptr;
  for (int parts = 0; above == nullptr; ++parts) {
    const size_t before = SeparatorBefore(text, below);
    if (parts == kPartsLookedUp || before == std::string::npos) return false;
    above = Known(text, before + 1);
    below = before;
  }
  folderPath_ = above->unixPath;
  while (below < separator) {
    const size_t next = text.find_first_of("\\/", below + 1);
    lastPart_.assign(text, below + 1, next - below - 1);
    if (cache_.Find(folderPath_, lastPart_, true, &folderName_) != kErrorSuccess) return false;
    JoinUnixPathInto(folderPath_, folderName_, &partPath_);
    folderPath_.swap(partPath_);
    below = next;
  }
  resolved->Reset();
  lastPart_.assign(text, separator + 1, std::string::npos);
  *error = ResolveLastPart(folderPath_, lastPart_, purpose, resolved);
  if (*error == kErrorSuccess) RememberFolder(text, *resolved);
  return true;
}

PathResolver::KnownFolder& PathResolver::KnownFolderFor(const std::string& text, size_t size) {
  // Resolving may have changed the cache: what is remembered holds for it now.
  if (knownGeneration_ != cache_.generation()) {
    for (KnownFolder& known : knownFolders_) known.text.clear();
    knownGeneration_ = cache_.generation();
  }
  const auto lastUse = [](const KnownFolder& known) { return known.text.empty() ? 0 : known.used; };
  KnownFolder* slot = &knownFolders_.front();
  for (KnownFolder& known : knownFolders_) {
    if (IsStartOf(known.text, text, size)) {
      slot = &known;
      break;
    }
    if (lastUse(known) < lastUse(*slot)) slot = &known;
  }
  slot->used = ++knownUses_;
  slot->text.assign(text, 0, size);
  return *slot;
}

void PathResolver::RememberFolder(const std::string& text, const ResolvedPath& resolved) {
  // Resolved: wildcards in the last part were a search's.
  const size_t separator = LastSeparator(text);
  if (separator == std::string::npos || !PlainPart(text, separator + 1, text.size(), true)) return;
  KnownFolder& slot = KnownFolderFor(text, separator + 1);
  slot.unixPath = resolved.folder;
  slot.atRoot = resolved.inRoot;
}

void PathResolver::RememberFoldersAbove(const std::string& text, const WindowsPath& path,
                                        const ResolvedPath& resolved) {
  // Two: a walk that goes down into a theme's image folder (its searches
  // answered from memory) looks up its first file from there.
  constexpr size_t kFoldersAbove = 2;
  size_t separator = LastSeparator(text);
  if (separator == std::string::npos || !PlainPart(text, separator + 1, text.size(), true)) return;
  size_t folderEnd = resolved.folder.size();
  for (size_t level = 1; level <= kFoldersAbove && level < path.parts.size(); ++level) {
    // A plain name between two separators is one step of the way to the
    // folder: what comes before it is the folder one step up.
    const size_t before = SeparatorBefore(text, separator);
    if (before == std::string::npos || folderEnd <= 1) return;
    const size_t slash = resolved.folder.rfind('/', folderEnd - 1);
    if (slash == std::string::npos) return;
    KnownFolder& slot = KnownFolderFor(text, before + 1);
    slot.unixPath.assign(resolved.folder, 0, slash == 0 ? 1 : slash);
    slot.atRoot = path.parts.size() == level + 1 &&
                  (path.base == WindowsPath::Base::kDrive || slot.unixPath == "/");
    separator = before;
    folderEnd = slash;
  }
}

ErrorCode PathResolver::ResolveLastPart(const std::string& folder, const std::string& part,
                                        Purpose purpose, ResolvedPath* resolved) {
  if ((purpose == Purpose::kSearch && HasWildcards(part)) || purpose == Purpose::kOpen) {
    // A search pattern names no entry; the search lists its folder afresh,
    // which tells whether it exists. The caller's open tells it too.
    resolved->name = part;
  } else {
    const ErrorCode error =
        cache_.Find(folder, part, purpose != Purpose::kCreate, &resolved->name);
    if (error == kErrorFileNotFound) {
      resolved->name = part;
    } else if (error != kErrorSuccess) {
      return error;
    } else {
      resolved->exists = true;
    }
  }
  if (resolved->folder != folder) resolved->folder = folder;
  JoinUnixPathInto(folder, resolved->name, &resolved->unixPath);
  return kErrorSuccess;
}

ErrorCode PathResolver::ResolveParsed(const WindowsPath& path, Purpose purpose,
                                      ResolvedPath* resolved) {
  resolved->Reset();
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
