// What the wineprefix machine's file copies share: an owned descriptor and
// the copy of a whole file's bytes.
#pragma once

#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include "machine/machine.h"

namespace tpl {

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd = -1) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }
  // Holds `fd` instead (a failed open: -1, errno kept).
  void Reset(int fd) {
    if (fd_ >= 0) close(fd_);
    fd_ = fd;
  }
  // Closes now and reports the result (a late write error shows here).
  int Close() {
    const int result = close(fd_);
    fd_ = -1;
    return result;
  }

 private:
  int fd_;
};

// Gives the file being written at `to` what a copy keeps of its source:
// the read-only attribute and the write time.
void KeepSourceFacts(int to, const struct stat& source);

// A buffer of at least `size` bytes for the file contents passing through
// user space, kept from file to file: allocating and freeing one per file cost
// more than a small file's copy. Valid until the next call.
char* ContentBuffer(size_t size);

// Copies the whole of `from` into `to` (both at offset 0, `size` bytes as
// fstat gave them); 0, an errno, or ECANCELED when an interruption was
// requested. With `content`, what passes is also measured and digested (the
// bytes then go through user space).
int CopyContents(int from, int to, off_t size, FileContent* content = nullptr);

}  // namespace tpl
