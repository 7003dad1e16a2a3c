#include "machine/wineprefix/directory_cache.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <vector>

#include "machine/wineprefix/errno_codes.h"
#include "machine/wineprefix/unix_path.h"
#include "machine/wineprefix/windows_path.h"

namespace tpl {
namespace {

// File times come from a coarse clock (one tick is 1 to 10 ms).
constexpr long long kRacyNanoseconds = 20 * 1000 * 1000;

long long Modified(const struct stat& info) {
  return static_cast<long long>(info.st_mtim.tv_sec) * 1000000000LL + info.st_mtim.tv_nsec;
}

}  // namespace

bool DirectoryCache::Spellings::Has(const std::string& name) const {
  return smallest == name || std::find(others.begin(), others.end(), name) != others.end();
}

size_t DirectoryCache::FoldedHash::operator()(const std::string& name) const {
  uint64_t hash = 14695981039346656037ULL;  // FNV-1a
  for (const char c : name) hash = (hash ^ static_cast<unsigned char>(AsciiLower(c))) * 1099511628211ULL;
  return static_cast<size_t>(hash);
}

bool DirectoryCache::FoldedEqual::operator()(const std::string& a, const std::string& b) const {
  return SameTextIgnoringCase(a, b);
}

void DirectoryCache::Insert(Listing* listing, const std::string& name) {
  auto [slot, inserted] = listing->names.try_emplace(name);
  Spellings& spellings = slot->second;
  if (inserted) {
    spellings.smallest = name;
    return;
  }
  if (spellings.Has(name)) return;
  // Another spelling of a name already there: a name that was matched
  // ignoring case may now match exactly, or another entry.
  ++generation_;
  if (name < spellings.smallest) {
    spellings.others.push_back(std::move(spellings.smallest));
    spellings.smallest = name;
  } else {
    spellings.others.push_back(name);
  }
}

bool DirectoryCache::Filling(const Listing* listing) const {
  return std::find(filling_.begin(), filling_.end(), listing) != filling_.end();
}

void DirectoryCache::StartFilling(Listing* listing) {
  if (filling_.back() != nullptr) {
    filling_.front()->racy = true;  // the one filled longest ago ends
    std::rotate(filling_.begin(), filling_.begin() + 1, filling_.end());
    filling_.back() = nullptr;
  }
  *std::find(filling_.begin(), filling_.end(), nullptr) = listing;
}

void DirectoryCache::EndFilling() {
  for (Listing*& listing : filling_) {
    // Its time moved with every copy: only a new listing tells what else changed.
    if (listing != nullptr) listing->racy = true;
    listing = nullptr;
  }
}

void DirectoryCache::Drop(const std::string& dir) {
  const auto found = folders_.find(dir);
  if (found == folders_.end()) return;
  // An empty listing answered no Find with "found" (a folder removed after
  // its files, as an uninstall does): its going changes no answer.
  Replace(&found->second, Listing());
  folders_.erase(found);
  for (Recent& recent : recent_) recent.listing = nullptr;
}

DirectoryCache::Listing* DirectoryCache::Cached(const std::string& dir) {
  for (const Recent& recent : recent_) {
    if (recent.listing != nullptr && recent.dir == dir) return recent.listing;
  }
  auto found = folders_.find(dir);
  if (found == folders_.end()) return nullptr;
  Recent& slot = recent_[nextRecent_];
  nextRecent_ = (nextRecent_ + 1) % (sizeof recent_ / sizeof recent_[0]);
  slot.dir = dir;
  slot.listing = &found->second;
  return slot.listing;
}

void DirectoryCache::StampFolder(const std::string& dir, Listing* listing) {
  struct stat info;
  if (StatFolder(dir, &info) == 0) {
    listing->device = info.st_dev;
    listing->inode = info.st_ino;
    listing->modified = Modified(info);
  }
}

ErrorCode DirectoryCache::Read(const std::string& dir, Listing* listing) {
  const int fd = open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) {
    const ErrorCode error = ErrorFromErrno(errno, kErrorPathNotFound);
    Replace(listing, Listing());
    return error;
  }
  const ErrorCode error = ReadOpen(fd, listing);
  close(fd);
  return error;
}

bool DirectoryCache::KeepsAnswers(const Listing& listing, const Listing& with) {
  for (const auto& [name, spellings] : listing.names) {
    const auto kept = with.names.find(name);
    if (kept == with.names.end()) return false;
    const Spellings& now = kept->second;
    if (now.smallest != spellings.smallest || now.others.size() != spellings.others.size() ||
        !std::all_of(spellings.others.begin(), spellings.others.end(),
                     [&](const std::string& other) { return now.Has(other); })) {
      return false;
    }
  }
  return true;
}

void DirectoryCache::Replace(Listing* listing, Listing with) {
  // Read afresh or made anew: nothing is missed, whatever the copies did.
  const auto filled = std::find(filling_.begin(), filling_.end(), listing);
  if (filled != filling_.end()) {
    std::copy(filled + 1, filling_.end(), filled);
    filling_.back() = nullptr;
  }
  // Only a listing that held names can have answered a Find with "found";
  // one read again as it was answers the same (a walk lists the folders
  // that resolving its paths read already).
  if (!listing->names.empty() && !KeepsAnswers(*listing, with)) ++generation_;
  *listing = std::move(with);
}

ErrorCode DirectoryCache::ReadOpen(int fd, Listing* listing, std::vector<ListedName>* seen) {
  Listing fresh;
  const ErrorCode error = ReadInto(fd, &fresh, seen);
  Replace(listing, error == kErrorSuccess ? std::move(fresh) : Listing());
  return error;
}

ErrorCode DirectoryCache::ReadInto(int fd, Listing* listing, std::vector<ListedName>* seen) {
  ++listings_;
  // Stamp first: a change made while listing then shows as a moved time.
  struct stat info;
  if (fstat(fd, &info) != 0) return ErrorFromErrno(errno, kErrorPathNotFound);
  listing->device = info.st_dev;
  listing->inode = info.st_ino;
  listing->modified = Modified(info);
  // The entries straight from the kernel: a DIR stream would look at the
  // folder again before reading it.
  alignas(dirent64) char buffer[32768];
  while (true) {
    const ssize_t got = getdents64(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return ErrorFromErrno(errno, kErrorPathNotFound);
    if (got == 0) break;
    for (ssize_t at = 0; at < got;) {
      const auto* entry = reinterpret_cast<const dirent64*>(buffer + at);
      at += entry->d_reclen;
      const char* name = entry->d_name;
      const bool dots = name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0));
      if (dots) continue;
      Insert(listing, name);
      if (seen != nullptr) seen->push_back({name, entry->d_type});
    }
  }
  const long long now = std::chrono::duration_cast<std::chrono::nanoseconds>(
                           std::chrono::system_clock::now().time_since_epoch())
                           .count();
  listing->racy = now - listing->modified < kRacyNanoseconds;
  return kErrorSuccess;
}

DirectoryCache::Listing* DirectoryCache::Get(const std::string& dir, ErrorCode* error) {
  if (Listing* cached = Cached(dir)) return cached;
  Listing listing;
  *error = Read(dir, &listing);
  if (*error != kErrorSuccess) return nullptr;
  return &folders_.emplace(dir, std::move(listing)).first->second;
}

bool DirectoryCache::Lookup(const Listing& listing, const std::string& name,
                            std::string* onDisk) {
  const auto found = listing.names.find(name);
  if (found == listing.names.end()) return false;
  const Spellings& spellings = found->second;
  *onDisk = spellings.Has(name) ? name : spellings.smallest;
  return true;
}

ErrorCode DirectoryCache::Find(const std::string& dir, const std::string& name,
                               bool lookOnDisk, std::string* onDisk) {
  ErrorCode error = kErrorSuccess;
  Listing* listing = Get(dir, &error);
  if (listing == nullptr) return error;
  if (Lookup(*listing, name, onDisk)) return kErrorSuccess;
  // The next copy into the folder being filled: its exclusive create notices
  // the exact name itself.
  if (!lookOnDisk && Filling(listing)) return kErrorFileNotFound;
  EndFilling();

  // Not in the cached listing: something else may have added it since.
  struct stat info;
  if (lookOnDisk && lstat(JoinUnixPath(dir, name).c_str(), &info) == 0) {
    Insert(listing, name);
    *onDisk = name;
    return kErrorSuccess;
  }
  // A racy listing is read again whatever its folder's time says (a folder
  // the machine has just made, for one): no need to ask for the time.
  if (!listing->racy && StatFolder(dir, &info) != 0) {
    Drop(dir);
    return ErrorFromErrno(errno, kErrorPathNotFound);
  }
  if (listing->racy || info.st_ino != listing->inode || info.st_dev != listing->device ||
      Modified(info) != listing->modified) {
    // A folder the machine made (AddedFolder let go of any descriptor of its
    // path) is listed through the descriptor its copies use.
    const int held = listing->NeverRead() ? handles_.GetForListing(dir) : -1;
    error = held >= 0 ? ReadOpen(held, listing) : Read(dir, listing);
    if (error != kErrorSuccess) {
      Drop(dir);
      return error;
    }
    if (Lookup(*listing, name, onDisk)) return kErrorSuccess;
  }
  return kErrorFileNotFound;
}

int DirectoryCache::StatFolder(const std::string& dir, struct stat* info) {
  // A held folder replaced by someone else still shows the old one; the
  // copy's open in it then fails and has the folder opened anew.
  const int held = handles_.Held(dir);
  return held >= 0 ? fstat(held, info) : stat(dir.c_str(), info);
}

ErrorCode DirectoryCache::CheckFolder(const std::string& dir) {
  ErrorCode error = kErrorSuccess;
  Get(dir, &error);
  return error;
}

void DirectoryCache::Copied(const std::string& dir, const std::string& name) {
  Listing* listing = Cached(dir);
  if (listing == nullptr) return;
  Insert(listing, name);
  if (Filling(listing)) return;
  EndFilling();
  StartFilling(listing);
}

void DirectoryCache::Added(const std::string& dir, const std::string& name) {
  Listing* listing = Cached(dir);
  // A folder made on the way down to the copies (the folders they fill) is
  // still being filled.
  if (listing == nullptr || !Filling(listing)) EndFilling();
  if (listing == nullptr) return;
  Insert(listing, name);
  if (Filling(listing)) return;
  // A folder the machine made stays to be listed when a name is missing from it.
  if (listing->NeverRead()) return;
  // Our own change moved the folder's time; it is no sign of someone else's.
  StampFolder(dir, listing);
  listing->racy = false;
}

void DirectoryCache::AddedFolder(const std::string& dir, const std::string& name) {
  Added(dir, name);
  const std::string path = JoinUnixPath(dir, name);
  // A descriptor still held for a folder that was there before is not this one.
  handles_.Forget(path);
  // Not stamped, and filled from the start like a folder the copies fill:
  // their exclusive creates notice an exact name someone else made there,
  // and once they move on the first name missing from it has it listed.
  Listing empty;
  empty.racy = true;
  Listing& made = folders_[path];
  Replace(&made, std::move(empty));  // a folder of that name may have been listed
  StartFilling(&made);
}

void DirectoryCache::Removed(const std::string& dir, const std::string& /*name*/) {
  EndFilling();
  auto found = folders_.find(dir);
  if (found == folders_.end()) return;
  // Rebuilding is simplest and rare: only failed copies remove entries.
  Drop(dir);
}

void DirectoryCache::Deleted(const std::string& dir, const std::string& name) {
  EndFilling();
  auto found = folders_.find(dir);
  if (found == folders_.end()) return;
  Listing& listing = found->second;
  const auto spelt = listing.names.find(name);
  if (spelt != listing.names.end() && spelt->second.Has(name)) {
    Spellings& spellings = spelt->second;
    if (spellings.smallest != name) {
      spellings.others.erase(std::find(spellings.others.begin(), spellings.others.end(), name));
    } else if (spellings.others.empty()) {
      listing.names.erase(spelt);
    } else {
      // The next smallest spelling is the one a search in any case finds now.
      const auto next = std::min_element(spellings.others.begin(), spellings.others.end());
      spellings.smallest = std::move(*next);
      spellings.others.erase(next);
    }
  }
  // Our own change moved the folder's time, which is not asked for again:
  // an uninstall deletes name after name and looks for no missing one, and
  // the first name missing from the folder has it listed anew.
  listing.racy = true;
}

ErrorCode DirectoryCache::ListFresh(const std::string& dir, int fd,
                                    std::vector<ListedName>* names) {
  Listing listing;
  names->clear();
  const ErrorCode error = ReadInto(fd, &listing, names);
  if (error != kErrorSuccess) {
    Drop(dir);
    return error;
  }
  Replace(&folders_[dir], std::move(listing));
  return kErrorSuccess;
}

}  // namespace tpl
