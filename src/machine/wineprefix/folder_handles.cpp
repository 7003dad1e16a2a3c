#include "machine/wineprefix/folder_handles.h"

#include <fcntl.h>
#include <unistd.h>

namespace tpl {
namespace {

constexpr size_t kHeldFolders = 4;

}  // namespace

FolderHandles::~FolderHandles() {
  for (const HeldFolder& held : open_) close(held.fd);
}

int FolderHandles::Get(const std::string& folder) {
  // A copy asks for its source and destination folder in turn: the one
  // asked for is marked, not moved.
  for (HeldFolder& held : open_) {
    if (held.folder != folder) continue;
    held.used = ++uses_;
    return held.fd;
  }
  const int fd = open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return -1;
  if (open_.size() < kHeldFolders) {
    open_.push_back({folder, fd, ++uses_});
    return fd;
  }
  HeldFolder* oldest = &open_.front();
  for (HeldFolder& held : open_) {
    if (held.used < oldest->used) oldest = &held;
  }
  close(oldest->fd);
  oldest->folder = folder;
  oldest->fd = fd;
  oldest->used = ++uses_;
  return fd;
}

int FolderHandles::Held(const std::string& folder) const {
  for (const HeldFolder& held : open_) {
    if (held.folder == folder) return held.fd;
  }
  return -1;
}

void FolderHandles::Forget(const std::string& folder) {
  for (size_t i = 0; i < open_.size(); ++i) {
    if (open_[i].folder != folder) continue;
    close(open_[i].fd);
    open_.erase(open_.begin() + static_cast<long>(i));
    return;
  }
}

}  // namespace tpl
