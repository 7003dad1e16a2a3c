#include "machine/wineprefix/folder_handles.h"

#include <fcntl.h>
#include <unistd.h>

namespace tpl {
namespace {

constexpr size_t kHeldFolders = 4;

}  // namespace

FolderHandles::~FolderHandles() {
  for (const auto& held : open_) close(held.second);
}

int FolderHandles::Get(const std::string& folder) {
  for (size_t i = open_.size(); i-- > 0;) {
    if (open_[i].first != folder) continue;
    const int fd = open_[i].second;
    if (i + 1 != open_.size()) {
      open_.erase(open_.begin() + static_cast<long>(i));
      open_.emplace_back(folder, fd);
    }
    return fd;
  }
  const int fd = open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return -1;
  if (open_.size() == kHeldFolders) {
    close(open_.front().second);
    open_.erase(open_.begin());
  }
  open_.emplace_back(folder, fd);
  return fd;
}

int FolderHandles::Held(const std::string& folder) const {
  for (const auto& held : open_) {
    if (held.first == folder) return held.second;
  }
  return -1;
}

void FolderHandles::Forget(const std::string& folder) {
  for (size_t i = 0; i < open_.size(); ++i) {
    if (open_[i].first != folder) continue;
    close(open_[i].second);
    open_.erase(open_.begin() + static_cast<long>(i));
    return;
  }
}

}  // namespace tpl
