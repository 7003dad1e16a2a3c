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
  FileDescriptor input(OpenIn(resolved.folder, resolved.name, O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (input.get() < 0) return ErrorFromErrno(errno);
  struct stat info;
  if (fstat(input.get(), &info) != 0) return ErrorFromErrno(errno);
  if (!S_ISREG(info.st_mode)) return kErrorAccessDenied;

  ContentDigest digest;
  // A file no larger than the buffer takes one read; a file that grew since
  // fstat is read to its real end.
  const size_t bufferSize =
      std::min(kReadBytes, static_cast<size_t>(info.st_size) + 1);
  char* const buffer = ContentBuffer(bufferSize);
  uint64_t size = 0;
  while (true) {
    const ssize_t got = read(input.get(), buffer, bufferSize);
    if (got < 0) {
      if (errno == EINTR) continue;
      return ErrorFromErrno(errno);
    }
    digest.Add(buffer, static_cast<size_t>(got));
    size += static_cast<uint64_t>(got);
    if (got == 0 || static_cast<size_t>(got) < bufferSize) break;
  }
  content->size = size;
  content->digest = digest.Hex();
  return kErrorSuccess;
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
    // Another volume (a backup kept in a linked user folder): a whole copy.
    error = CopyAcrossVolumes(source, target, true);
    if (error != kErrorSuccess) return error;
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
  const std::string& name = resolved.name;
  if (InFolder(resolved.folder, [&](int dir) { return unlinkat(dir, name.c_str(), 0); }) != 0) {
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
