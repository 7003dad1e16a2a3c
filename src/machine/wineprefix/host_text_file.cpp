// Text files opened for reading, line by line in text mode.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "machine/text_mode_reader.h"
#include "machine/wineprefix/errno_codes.h"
#include "machine/wineprefix/host_files.h"
#include "machine/wineprefix/log_file_table.h"

namespace tpl {
namespace {

class FileByteSource : public ByteSource {
 public:
  explicit FileByteSource(int fd) : fd_(fd) {}
  ~FileByteSource() override { close(fd_); }
  FileByteSource(const FileByteSource&) = delete;
  FileByteSource& operator=(const FileByteSource&) = delete;

  ErrorCode Read(char* buffer, size_t capacity, size_t* got) override {
    while (true) {
      const ssize_t result = read(fd_, buffer, capacity);
      if (result >= 0) {
        *got = static_cast<size_t>(result);
        return kErrorSuccess;
      }
      if (errno != EINTR) {
        *got = 0;
        return ErrorFromErrno(errno);
      }
    }
  }

 private:
  int fd_;
};

}  // namespace

ErrorCode HostFiles::OpenTextFile(const std::string& path, std::unique_ptr<TextReader>* reader) {
  ResolvedPath resolved;
  const ErrorCode error = ResolveExisting(path, &resolved);
  if (error != kErrorSuccess) return error;
  if (resolved.isRoot) return kErrorAccessDenied;
  // O_NONBLOCK: a FIFO must not hang the open; cleared again below.
  constexpr int kFlags = O_RDONLY | O_CLOEXEC | O_NONBLOCK;
  int fd = -1;
  // The kit's own texts are read only from inside the kit.
  if (BelowCurrentFolder(resolved.unixPath)) {
    fd = OpenBelowCurrentFolder(resolved.unixPath, kFlags);
    if (fd < 0) {
      const ErrorCode contained = CheckContained(resolved.unixPath);
      if (contained != kErrorSuccess) return contained;
    }
  }
  if (fd < 0) fd = open(resolved.unixPath.c_str(), kFlags);
  if (fd < 0) return ErrorFromErrno(errno);
  struct stat info;
  ErrorCode failure = kErrorSuccess;
  if (fstat(fd, &info) != 0) {
    failure = ErrorFromErrno(errno);
  } else if (S_ISDIR(info.st_mode)) {
    failure = kErrorAccessDenied;
  } else if (!S_ISREG(info.st_mode)) {
    failure = kErrorCantAccessFile;  // a FIFO or device is never read
  }
  if (failure != kErrorSuccess) {
    close(fd);
    return failure;
  }
  if (LogFileTable::Held(info.st_dev, info.st_ino)) {
    close(fd);
    return kErrorSharingViolation;
  }
  fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  *reader = std::make_unique<TextModeReader>(std::make_unique<FileByteSource>(fd));
  return kErrorSuccess;
}

}  // namespace tpl
