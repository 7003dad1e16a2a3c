#include "machine/wineprefix/directory_cache.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cerrno>
#include <chrono>
#include <vector>

#include "machine/wineprefix/errno_codes.h"
#include "machine/wineprefix/windows_path.h"

namespace tpl {
namespace {

// File times come from a coarse clock (one tick is 1 to 10 ms).
constexpr long long kRacyNanoseconds = 20 * 1000 * 1000;

long long Modified(const struct stat& info) {
  return static_cast<long long>(info.st_mtim.tv_sec) * 1000000000LL + info.st_mtim.tv_nsec;
}

std::string Join(const std::string& dir, const std::string& name) {
  return dir.size() && dir.back() == '/' ? dir + name : dir + "/" + name;
}

}  // namespace

void DirectoryCache::Insert(Listing* listing, const std::string& name) {
  listing->exact.insert(name);
  auto [slot, inserted] = listing->folded.emplace(FoldCase(name), name);
  if (!inserted && name < slot->second) slot->second = name;
}

void DirectoryCache::StampFolder(const std::string& dir, Listing* listing) {
  struct stat info;
  if (stat(dir.c_str(), &info) == 0) {
    listing->device = info.st_dev;
    listing->inode = info.st_ino;
    listing->modified = Modified(info);
  }
}

ErrorCode DirectoryCache::Read(const std::string& dir, Listing* listing) {
  *listing = Listing();
  // Stamp first: a change made while listing then shows as a moved time.
  StampFolder(dir, listing);
  DIR* handle = opendir(dir.c_str());
  if (handle == nullptr) return ErrorFromErrno(errno, kErrorPathNotFound);
  errno = 0;
  while (const dirent* entry = readdir(handle)) {
    const std::string name = entry->d_name;
    if (name != "." && name != "..") Insert(listing, name);
  }
  const int error = errno;
  closedir(handle);
  const long long now = std::chrono::duration_cast<std::chrono::nanoseconds>(
                           std::chrono::system_clock::now().time_since_epoch())
                           .count();
  listing->racy = now - listing->modified < kRacyNanoseconds;
  return error ? ErrorFromErrno(error, kErrorPathNotFound) : kErrorSuccess;
}

DirectoryCache::Listing* DirectoryCache::Get(const std::string& dir, ErrorCode* error) {
  auto found = folders_.find(dir);
  if (found != folders_.end()) return &found->second;
  Listing listing;
  *error = Read(dir, &listing);
  if (*error != kErrorSuccess) return nullptr;
  return &folders_.emplace(dir, std::move(listing)).first->second;
}

bool DirectoryCache::Lookup(const Listing& listing, const std::string& name,
                            std::string* onDisk) {
  if (listing.exact.count(name)) {
    *onDisk = name;
    return true;
  }
  auto found = listing.folded.find(FoldCase(name));
  if (found == listing.folded.end()) return false;
  *onDisk = found->second;
  return true;
}

ErrorCode DirectoryCache::Find(const std::string& dir, const std::string& name,
                               std::string* onDisk) {
  ErrorCode error = kErrorSuccess;
  Listing* listing = Get(dir, &error);
  if (listing == nullptr) return error;
  if (Lookup(*listing, name, onDisk)) return kErrorSuccess;

  // Not in the cached listing: something else may have added it since.
  struct stat info;
  if (lstat(Join(dir, name).c_str(), &info) == 0) {
    Insert(listing, name);
    *onDisk = name;
    return kErrorSuccess;
  }
  if (stat(dir.c_str(), &info) != 0) {
    folders_.erase(dir);
    return ErrorFromErrno(errno, kErrorPathNotFound);
  }
  if (listing->racy || info.st_ino != listing->inode || info.st_dev != listing->device ||
      Modified(info) != listing->modified) {
    error = Read(dir, listing);
    if (error != kErrorSuccess) {
      folders_.erase(dir);
      return error;
    }
    if (Lookup(*listing, name, onDisk)) return kErrorSuccess;
  }
  return kErrorFileNotFound;
}

ErrorCode DirectoryCache::CheckFolder(const std::string& dir) {
  ErrorCode error = kErrorSuccess;
  Get(dir, &error);
  return error;
}

void DirectoryCache::Added(const std::string& dir, const std::string& name) {
  auto found = folders_.find(dir);
  if (found == folders_.end()) return;
  Insert(&found->second, name);
  // Our own change moved the folder's time; it is no sign of someone else's.
  StampFolder(dir, &found->second);
  found->second.racy = false;
}

void DirectoryCache::Removed(const std::string& dir, const std::string& /*name*/) {
  auto found = folders_.find(dir);
  if (found == folders_.end()) return;
  // Rebuilding is simplest and rare: only failed copies remove entries.
  folders_.erase(found);
}

ErrorCode DirectoryCache::ListFresh(const std::string& dir, std::vector<std::string>* names) {
  Listing listing;
  const ErrorCode error = Read(dir, &listing);
  if (error != kErrorSuccess) {
    folders_.erase(dir);
    return error;
  }
  names->assign(listing.exact.begin(), listing.exact.end());
  folders_[dir] = std::move(listing);
  return kErrorSuccess;
}

}  // namespace tpl
