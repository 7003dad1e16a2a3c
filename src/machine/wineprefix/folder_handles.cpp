#include "machine/wineprefix/folder_handles.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace tpl {
namespace {

constexpr size_t kHeldFolders = 8;

}  // namespace

FolderHandles::~FolderHandles() {
  for (const HeldFolder& held : open_) close(held.fd);
}

FolderHandles::HeldFolder* FolderHandles::Find(const std::string& folder) {
  // A copy asks for its source and destination folder in turn: the two
  // found last are looked at first (held folders' paths are long and alike).
  for (const size_t last : lastFound_) {
    if (last < open_.size() && open_[last].folder == folder) return &open_[last];
  }
  for (HeldFolder& held : open_) {
    if (held.folder == folder) {
      lastFound_[1] = lastFound_[0];
      lastFound_[0] = static_cast<size_t>(&held - open_.data());
      return &held;
    }
  }
  return nullptr;
}

int FolderHandles::Get(const std::string& folder) {
  // A copy asks for its source and destination folder in turn: the one
  // asked for is marked, not moved.
  if (HeldFolder* held = Find(folder)) {
    held->used = ++uses_;
    return held->fd;
  }
  bool listable = true;
  int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0 && errno == EACCES) {  // a folder that may be written to, not read
    listable = false;
    fd = open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
  }
  if (fd < 0) return -1;
  HeldFolder* slot = nullptr;
  if (open_.size() < kHeldFolders) {
    slot = &open_.emplace_back();
  } else {
    slot = &open_.front();
    for (HeldFolder& held : open_) {
      if (held.used < slot->used) slot = &held;
    }
    close(slot->fd);
  }
  *slot = HeldFolder{folder, fd, ++uses_, listable, false};
  return fd;
}

int FolderHandles::GetForListing(const std::string& folder) {
  const int fd = Get(folder);
  if (fd < 0) return -1;
  HeldFolder& held = *Find(folder);
  if (!held.listable) return -1;
  if (held.listed && lseek(fd, 0, SEEK_SET) != 0) return -1;
  held.listed = true;
  return fd;
}

int FolderHandles::Held(const std::string& folder) {
  const HeldFolder* held = Find(folder);
  return held != nullptr ? held->fd : -1;
}

void FolderHandles::Forget(const std::string& folder) {
  if (HeldFolder* held = Find(folder)) {
    close(held->fd);
    open_.erase(open_.begin() + (held - open_.data()));
    lastFound_[0] = lastFound_[1] = kHeldFolders;  // the places moved
  }
}

}  // namespace tpl
