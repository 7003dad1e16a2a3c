// The wineprefix machine's calls for the undo: file facts and digests,
// replacement that keeps a backup, restoring, removing, appending.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <memory>

#include "machine/content_digest.h"
#include "machine/wineprefix/errno_codes.h"
#include "machine/wineprefix/host_copy_contents.h"
#include "machine/wineprefix/host_files.h"
#include "machine/wineprefix/log_file_table.h"

namespace tpl {
namespace {

constexpr size_t kReadBytes = size_t{1} << 18;

// Writes reach the file at once: a record is true wherever the program stops.
class AppendWriter : public LogWriter {
 public:
  explicit AppendWriter(int fd) : fd_(fd) {}
  ErrorCode Write(const std::string& bytes) override {
    for (size_t done = 0; done < bytes.size();) {
      const ssize_t wrote = write(fd_.get(), bytes.data() + done, bytes.size() - done);
      if (wrote < 0) {
        if (errno == EINTR) continue;
        return ErrorFromErrno(errno);
      }
      done += static_cast<size_t>(wrote);
    }
    return kErrorSuccess;
  }
  ErrorCode Flush() override { return kErrorSuccess; }
  ErrorCode StillPresent() override {
    struct stat info;
    return fstat(fd_.get(), &info) == 0 && info.st_nlink > 0 ? kErrorSuccess : kErrorFileNotFound;
  }

 private:
  FileDescriptor fd_;
};

// A name in `folder` that no one else uses, for a file being written.
std::string TemporaryBeside(const std::string& folder) {
  static std::atomic<unsigned> counter{0};
  char name[64];
  std::snprintf(name, sizeof name, "/.tplsetup-%ld-%u.tmp", static_cast<long>(getpid()),
                counter.fetch_add(1));
  return folder + name;
}

// Copies the open file `from` (described by `info`) to the new file `path`
// with its write time and read-only attribute. Nothing is left on failure.
int CopyToNewFile(int from, const struct stat& info, const std::string& path) {
  FileDescriptor output(open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
  if (output.get() < 0) return errno;
  int failure = CopyContents(from, output.get(), info.st_size);
  if (failure == 0) KeepSourceFacts(output.get(), info);
  if (output.Close() != 0 && failure == 0) failure = errno;
  if (failure != 0) unlink(path.c_str());
  return failure;
}

// Copies the file at `fromPath` to a temporary beside `toPath`, then renames
// it over `toPath`.
int CopyOver(const std::string& fromPath, const std::string& toFolder, const std::string& toPath) {
  FileDescriptor input(open(fromPath.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
  if (input.get() < 0) return errno;
  struct stat info;
  if (fstat(input.get(), &info) != 0) return errno;
  if (!S_ISREG(info.st_mode)) return EACCES;
  const std::string temporary = TemporaryBeside(toFolder);
  const int failure = CopyToNewFile(input.get(), info, temporary);
  if (failure != 0) return failure;
  if (rename(temporary.c_str(), toPath.c_str()) != 0) {
    const int error = errno;
    unlink(temporary.c_str());
    return error;
  }
  return 0;
}

}  // namespace

ErrorCode HostFiles::QueryFile(const std::string& path, FileInfo* info) {
  ResolvedPath resolved;
  ErrorCode error = ResolveExisting(path, &resolved);
  if (error != kErrorSuccess) return error;
  struct stat facts;
  if (stat(resolved.unixPath.c_str(), &facts) != 0) return ErrorFromErrno(errno);
  info->directory = S_ISDIR(facts.st_mode);
  info->readOnly = (facts.st_mode & S_IWUSR) == 0;
  info->size = info->directory ? 0 : static_cast<uint64_t>(facts.st_size);
  return kErrorSuccess;
}

ErrorCode HostFiles::DigestFile(const std::string& path, FileContent* content) {
  ResolvedPath resolved;
  ErrorCode error = ResolveExisting(path, &resolved);
  if (error != kErrorSuccess) return error;
  if (resolved.isRoot) return kErrorAccessDenied;
  // O_NONBLOCK: a FIFO must not hang the open.
  FileDescriptor input(open(resolved.unixPath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (input.get() < 0) return ErrorFromErrno(errno);
  struct stat info;
  if (fstat(input.get(), &info) != 0) return ErrorFromErrno(errno);
  if (!S_ISREG(info.st_mode)) return kErrorAccessDenied;

  ContentDigest digest;
  // A file no larger than the buffer takes one read; a file that grew since
  // fstat is read to its real end.
  const size_t bufferSize =
      std::min(kReadBytes, static_cast<size_t>(info.st_size) + 1);
  std::unique_ptr<char[]> buffer(new char[bufferSize]);
  uint64_t size = 0;
  while (true) {
    const ssize_t got = read(input.get(), buffer.get(), bufferSize);
    if (got < 0) {
      if (errno == EINTR) continue;
      return ErrorFromErrno(errno);
    }
    digest.Add(buffer.get(), static_cast<size_t>(got));
    size += static_cast<uint64_t>(got);
    if (got == 0 || static_cast<size_t>(got) < bufferSize) break;
  }
  content->size = size;
  content->digest = digest.Hex();
  return kErrorSuccess;
}

ErrorCode HostFiles::CopyNewFile(const std::string& source, const std::string& destination,
                                 FileContent* copied) {
  ResolvedPath from;
  ErrorCode error = ResolveExisting(source, &from);
  if (error != kErrorSuccess) return error;
  ResolvedPath to;
  error = resolver_.Resolve(destination, PathResolver::Purpose::kCreate, &to);
  if (error != kErrorSuccess) return error;
  if (to.exists) return kErrorFileExists;
  if (to.isRoot || from.isRoot) return kErrorAccessDenied;

  FileDescriptor input(open(from.unixPath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (input.get() < 0) return ErrorFromErrno(errno);
  struct stat info;
  if (fstat(input.get(), &info) != 0) return ErrorFromErrno(errno);
  if (!S_ISREG(info.st_mode)) return kErrorAccessDenied;
  if (LogFileTable::Held(info.st_dev, info.st_ino)) return kErrorSharingViolation;

  // Exclusive: a name someone else made since it was listed is not ours.
  FileDescriptor output(
      open(to.unixPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
  if (output.get() < 0) {
    return errno == EEXIST ? kErrorFileExists : ErrorFromErrno(errno, kErrorPathNotFound);
  }
  resolver_.cache().Added(to.folder, to.name);

  // The bytes pass through here once: read, digested, written.
  ContentDigest digest;
  const size_t bufferSize = std::min(kReadBytes, static_cast<size_t>(info.st_size) + 1);
  std::unique_ptr<char[]> buffer(new char[bufferSize]);
  uint64_t size = 0;
  int failure = 0;
  while (failure == 0) {
    const ssize_t got = read(input.get(), buffer.get(), bufferSize);
    if (got < 0) {
      if (errno != EINTR) failure = errno;
      continue;
    }
    if (got == 0) break;
    digest.Add(buffer.get(), static_cast<size_t>(got));
    size += static_cast<uint64_t>(got);
    for (ssize_t done = 0; failure == 0 && done < got;) {
      const ssize_t wrote = write(output.get(), buffer.get() + done, static_cast<size_t>(got - done));
      if (wrote < 0) {
        if (errno != EINTR) failure = errno;
      } else {
        done += wrote;
      }
    }
    // A short read of a file no larger than the buffer is its end.
    if (static_cast<size_t>(got) < bufferSize && size >= static_cast<uint64_t>(info.st_size)) break;
  }
  if (failure == 0) KeepSourceFacts(output.get(), info);
  if (output.Close() != 0 && failure == 0) failure = errno;
  if (failure != 0) {
    unlink(to.unixPath.c_str());
    resolver_.cache().Deleted(to.folder, to.name);
    return ErrorFromErrno(failure);
  }
  copied->size = size;
  copied->digest = digest.Hex();
  return kErrorSuccess;
}

ErrorCode HostFiles::ReplaceKeepingBackup(const std::string& source,
                                          const std::string& destination,
                                          const std::string& backupPath) {
  ResolvedPath from;
  ErrorCode error = ResolveExisting(source, &from);
  if (error != kErrorSuccess) return error;
  ResolvedPath to;
  error = ResolveExisting(destination, &to);
  if (error == kErrorFileNotFound) return CopyFileOver(source, destination);  // nothing to keep
  if (error != kErrorSuccess) return error;
  ResolvedPath backup;
  error = resolver_.Resolve(backupPath, PathResolver::Purpose::kCreate, &backup);
  if (error != kErrorSuccess) return error;
  if (to.isRoot || from.isRoot || backup.isRoot || backup.exists) return kErrorAccessDenied;

  FileDescriptor input(open(from.unixPath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (input.get() < 0) return ErrorFromErrno(errno);
  struct stat sourceInfo;
  if (fstat(input.get(), &sourceInfo) != 0) return ErrorFromErrno(errno);
  if (!S_ISREG(sourceInfo.st_mode)) return kErrorAccessDenied;
  if (LogFileTable::Held(sourceInfo.st_dev, sourceInfo.st_ino)) return kErrorSharingViolation;

  // The checks CopyFileOver makes, before anything is written.
  struct stat targetInfo;
  if (lstat(to.unixPath.c_str(), &targetInfo) != 0) return ErrorFromErrno(errno);
  struct stat followed;
  if (stat(to.unixPath.c_str(), &followed) == 0) {
    if (S_ISDIR(followed.st_mode)) return kErrorAccessDenied;
    if (followed.st_dev == sourceInfo.st_dev && followed.st_ino == sourceInfo.st_ino) {
      return kErrorSharingViolation;
    }
    if (LogFileTable::Held(followed.st_dev, followed.st_ino)) return kErrorSharingViolation;
    if ((followed.st_mode & S_IWUSR) == 0) return kErrorAccessDenied;
  }

  // The old file gets its second name first (a link, or a copy on another
  // volume), so that it is never without one.
  if (link(to.unixPath.c_str(), backup.unixPath.c_str()) != 0) {
    if (errno != EXDEV && errno != EPERM) return ErrorFromErrno(errno, kErrorPathNotFound);
    const int failure = CopyOver(to.unixPath, backup.folder, backup.unixPath);
    if (failure != 0) return ErrorFromErrno(failure, kErrorPathNotFound);
  }
  resolver_.cache().Added(backup.folder, backup.name);

  const std::string temporary = TemporaryBeside(to.folder);
  int failure = CopyToNewFile(input.get(), sourceInfo, temporary);
  if (failure == 0 && rename(temporary.c_str(), to.unixPath.c_str()) != 0) {
    failure = errno;
    unlink(temporary.c_str());
  }
  return failure == 0 ? kErrorSuccess : ErrorFromErrno(failure);
}

ErrorCode HostFiles::MoveFileOver(const std::string& from, const std::string& to) {
  ResolvedPath source;
  ErrorCode error = ResolveExisting(from, &source);
  if (error != kErrorSuccess) return error;
  ResolvedPath target;
  error = resolver_.Resolve(to, PathResolver::Purpose::kCreate, &target);
  if (error != kErrorSuccess) return error;
  if (source.isRoot || target.isRoot) return kErrorAccessDenied;
  if (rename(source.unixPath.c_str(), target.unixPath.c_str()) != 0) {
    if (errno != EXDEV) return ErrorFromErrno(errno, kErrorPathNotFound);
    const int failure = CopyOver(source.unixPath, target.folder, target.unixPath);
    if (failure != 0) return ErrorFromErrno(failure, kErrorPathNotFound);
    unlink(source.unixPath.c_str());
  }
  resolver_.cache().Deleted(source.folder, source.name);
  if (!target.exists) resolver_.cache().Added(target.folder, target.name);
  return kErrorSuccess;
}

ErrorCode HostFiles::RemoveFile(const std::string& path) {
  ResolvedPath resolved;
  ErrorCode error = ResolveExisting(path, &resolved);
  if (error != kErrorSuccess) return error;
  if (resolved.isRoot) return kErrorAccessDenied;
  if (unlink(resolved.unixPath.c_str()) != 0) {
    return errno == EISDIR ? kErrorAccessDenied : ErrorFromErrno(errno);
  }
  resolver_.cache().Deleted(resolved.folder, resolved.name);
  return kErrorSuccess;
}

ErrorCode HostFiles::RemoveFolder(const std::string& path) {
  ResolvedPath resolved;
  ErrorCode error = ResolveExisting(path, &resolved);
  if (error != kErrorSuccess) return error;
  if (resolved.isRoot) return kErrorAccessDenied;
  if (rmdir(resolved.unixPath.c_str()) != 0) {
    if (errno == ENOTEMPTY || errno == EEXIST) return kErrorDirNotEmpty;
    return ErrorFromErrno(errno);
  }
  resolver_.cache().Deleted(resolved.folder, resolved.name);
  resolver_.cache().Forget(resolved.unixPath);
  return kErrorSuccess;
}

ErrorCode HostFiles::OpenAppendFile(const std::string& path, std::unique_ptr<LogWriter>* writer) {
  ResolvedPath resolved;
  ErrorCode error = resolver_.Resolve(path, PathResolver::Purpose::kLookUp, &resolved);
  if (error != kErrorSuccess) return error;
  if (resolved.isRoot) return kErrorAccessDenied;
  const int fd = open(resolved.unixPath.c_str(),
                      O_WRONLY | O_CREAT | O_APPEND | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK, 0666);
  if (fd < 0) return errno == ELOOP ? kErrorAccessDenied : ErrorFromErrno(errno, kErrorPathNotFound);
  auto appender = std::make_unique<AppendWriter>(fd);
  struct stat info;
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) return kErrorAccessDenied;
  if (!resolved.exists) resolver_.cache().Added(resolved.folder, resolved.name);
  *writer = std::move(appender);
  return kErrorSuccess;
}

}  // namespace tpl
