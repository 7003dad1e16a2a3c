// The log file: created or truncated, held without sharing, never reached
// through a symbolic link.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "machine/wineprefix/errno_codes.h"
#include "machine/wineprefix/host_files.h"
#include "machine/wineprefix/log_file_table.h"

namespace tpl {
namespace {

// Writes go straight to the file, so the log is complete whenever the
// program stops.
class FileLogWriter : public LogWriter {
 public:
  FileLogWriter(int fd, dev_t device, ino_t inode) : fd_(fd), device_(device), inode_(inode) {}
  ~FileLogWriter() override {
    close(fd_);
    LogFileTable::Release(device_, inode_);
  }
  FileLogWriter(const FileLogWriter&) = delete;
  FileLogWriter& operator=(const FileLogWriter&) = delete;

  ErrorCode Write(const std::string& bytes) override {
    size_t done = 0;
    while (done < bytes.size()) {
      const ssize_t wrote = write(fd_, bytes.data() + done, bytes.size() - done);
      if (wrote < 0) {
        if (errno == EINTR) continue;
        return ErrorFromErrno(errno);
      }
      done += static_cast<size_t>(wrote);
    }
    return kErrorSuccess;
  }

  ErrorCode Flush() override { return kErrorSuccess; }  // nothing is held back

  ErrorCode StillPresent() override {
    struct stat info;
    if (fstat(fd_, &info) != 0) return ErrorFromErrno(errno);
    return info.st_nlink == 0 ? kErrorFileNotFound : kErrorSuccess;
  }

 private:
  int fd_;
  dev_t device_;
  ino_t inode_;
};

}  // namespace

ErrorCode HostFiles::CreateLogFile(const std::string& path, std::unique_ptr<LogWriter>* writer) {
  ResolvedPath resolved;
  ErrorCode error = resolver_.Resolve(path, PathResolver::Purpose::kLookUp, &resolved);
  if (error != kErrorSuccess) return error;
  if (resolved.isRoot) return kErrorAccessDenied;

  const int fd = open(resolved.unixPath.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK,
                      0666);  // O_NONBLOCK: a FIFO must not hang the open
  if (fd < 0) {
    // O_NOFOLLOW reports a link as a loop: refused, not unresolvable.
    return errno == ELOOP ? kErrorAccessDenied : ErrorFromErrno(errno, kErrorPathNotFound);
  }
  if (!resolved.exists) resolver_.cache().Added(resolved.folder, resolved.name);
  struct stat info;
  error = kErrorSuccess;
  if (fstat(fd, &info) != 0) {
    error = ErrorFromErrno(errno);
  } else if (!S_ISREG(info.st_mode) || (info.st_mode & S_IWUSR) == 0) {
    error = kErrorAccessDenied;  // read-only holds for root too
  } else if (!LogFileTable::Claim(info.st_dev, info.st_ino)) {
    error = kErrorSharingViolation;
  } else if (ftruncate(fd, 0) != 0) {
    error = ErrorFromErrno(errno);
    LogFileTable::Release(info.st_dev, info.st_ino);
  }
  if (error != kErrorSuccess) {
    close(fd);
    return error;
  }
  *writer = std::make_unique<FileLogWriter>(fd, info.st_dev, info.st_ino);
  return kErrorSuccess;
}

}  // namespace tpl
