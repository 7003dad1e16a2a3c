// Folders held open, so that the files of a folder are reached from it
// (openat, renameat) instead of walking their whole path again each time: a
// copy touches its source and destination folder several times per file.
// Only a few are held: the folders of the copies under way.
#pragma once

#include <string>
#include <vector>

namespace tpl {

class FolderHandles {
 public:
  FolderHandles() = default;
  ~FolderHandles();
  FolderHandles(const FolderHandles&) = delete;
  FolderHandles& operator=(const FolderHandles&) = delete;

  // A descriptor of the folder at the Unix path `folder`, or -1 with errno
  // set. Valid until the next call. Opened for reading, so that the folder
  // can be listed through it too (O_PATH when it cannot be read).
  int Get(const std::string& folder);
  // Get's descriptor placed at the folder's first entry for listing it, or
  // -1 when it cannot be listed through it (the caller opens its own).
  int GetForListing(const std::string& folder);
  // The descriptor of `folder` when it is held, else -1 (nothing is opened).
  int Held(const std::string& folder);
  // Lets go of `folder`: it may have been replaced by another one.
  void Forget(const std::string& folder);

 private:
  struct HeldFolder {
    std::string folder;
    int fd = -1;
    unsigned long long used = 0;  // when it was last asked for: the oldest goes first
    bool listable = false;        // opened for reading, not O_PATH
    bool listed = false;          // read from: no longer at the first entry
  };
  HeldFolder* Find(const std::string& folder);
  std::vector<HeldFolder> open_;
  unsigned long long uses_ = 0;
  size_t lastFound_[2] = {0, 0};  // places in open_ of the folders Find found last
};

}  // namespace tpl
