// CopyFileA(source, destination, FALSE) between Unix files.
#include <fcntl.h>
#include <sys/sendfile.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>

#include "machine/wineprefix/errno_codes.h"
#include "machine/wineprefix/host_copy_contents.h"
#include "machine/wineprefix/host_files.h"
#include "machine/wineprefix/log_file_table.h"

namespace tpl {
namespace {

constexpr size_t kChunkBytes = size_t{1} << 20;

// Plain reads and writes: the last resort when the kernel cannot copy.
int CopyByBuffer(int from, int to) {
  std::unique_ptr<char[]> buffer(new char[kChunkBytes]);
  while (true) {
    const ssize_t got = read(from, buffer.get(), kChunkBytes);
    if (got < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (got == 0) return 0;
    for (ssize_t done = 0; done < got;) {
      const ssize_t wrote = write(to, buffer.get() + done, static_cast<size_t>(got - done));
      if (wrote < 0) {
        if (errno == EINTR) continue;
        return errno;
      }
      done += wrote;
    }
  }
}

}  // namespace

void KeepSourceFacts(int to, const struct stat& source) {
  if ((source.st_mode & S_IWUSR) == 0) {
    struct stat written;
    if (fstat(to, &written) == 0) fchmod(to, written.st_mode & ~0222);
  }
  const decltype(source.st_mtim) times[2] = {{0, UTIME_OMIT}, source.st_mtim};
  futimens(to, times);
}

int CopyContents(int from, int to, off_t size) {
  off_t copied = 0;
  bool kernelCopy = true;
  while (kernelCopy && copied < size) {
    const ssize_t done =
        copy_file_range(from, nullptr, to, nullptr, static_cast<size_t>(size - copied), 0);
    if (done > 0) {
      copied += done;
    } else if (done == 0) {
      break;  // the source shrank; read on to its real end
    } else if (errno == EINTR) {
      continue;
    } else if (errno == EXDEV || errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP ||
               errno == EBADF) {
      kernelCopy = false;
    } else {
      return errno;
    }
  }
  while (!kernelCopy && copied < size) {
    const ssize_t done = sendfile(to, from, nullptr, static_cast<size_t>(size - copied));
    if (done > 0) {
      copied += done;
    } else if (done == 0) {
      break;
    } else if (errno == EINTR) {
      continue;
    } else if (errno == EINVAL || errno == ENOSYS) {
      break;
    } else {
      return errno;
    }
  }
  if (copied == size && size > 0) return 0;
  // Whatever is left (a file that changed size, or no kernel copy at all).
  return CopyByBuffer(from, to);
}

ErrorCode HostFiles::CopyFileOver(const std::string& source, const std::string& destination) {
  ResolvedPath from;
  ErrorCode error = ResolveExisting(source, &from);
  if (error != kErrorSuccess) return error;
  ResolvedPath to;
  error = resolver_.Resolve(destination, PathResolver::Purpose::kCreate, &to);
  if (error != kErrorSuccess) return error;
  if (to.isRoot || from.isRoot) return kErrorAccessDenied;

  FileDescriptor input(open(from.unixPath.c_str(), O_RDONLY | O_CLOEXEC));
  if (input.get() < 0) return ErrorFromErrno(errno);
  struct stat sourceInfo;
  if (fstat(input.get(), &sourceInfo) != 0) return ErrorFromErrno(errno);
  if (S_ISDIR(sourceInfo.st_mode)) return kErrorAccessDenied;
  if (LogFileTable::Held(sourceInfo.st_dev, sourceInfo.st_ino)) return kErrorSharingViolation;

  // A name the listing lacks is created exclusively: one that someone else
  // has made since makes the open fail, and is then checked like any other.
  int created = -1;
  bool existed = to.exists;
  if (!existed) {
    created = open(to.unixPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (created < 0 && errno != EEXIST) return ErrorFromErrno(errno, kErrorPathNotFound);
    existed = created < 0;
  }
  if (existed) {
    struct stat targetInfo;
    if (stat(to.unixPath.c_str(), &targetInfo) != 0) {
      existed = false;  // gone since, or a link to nowhere: written anew
    } else {
      if (S_ISDIR(targetInfo.st_mode)) return kErrorAccessDenied;
      if (targetInfo.st_dev == sourceInfo.st_dev && targetInfo.st_ino == sourceInfo.st_ino) {
        return kErrorSharingViolation;  // the source is open: it cannot be replaced
      }
      if (LogFileTable::Held(targetInfo.st_dev, targetInfo.st_ino)) {
        return kErrorSharingViolation;
      }
      // The read-only attribute holds for root too.
      if ((targetInfo.st_mode & S_IWUSR) == 0) return kErrorAccessDenied;
    }
    created = open(to.unixPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (created < 0) return ErrorFromErrno(errno, kErrorPathNotFound);
  }
  FileDescriptor output(created);
  if (!existed) resolver_.cache().Added(to.folder, to.name);

  int failure = CopyContents(input.get(), output.get(), sourceInfo.st_size);
  if (failure == 0) {
    KeepSourceFacts(output.get(), sourceInfo);
  }
  if (output.Close() != 0 && failure == 0) failure = errno;
  if (failure != 0) {
    // Like Windows, leave no half-written file behind.
    unlink(to.unixPath.c_str());
    resolver_.cache().Removed(to.folder, to.name);
    return ErrorFromErrno(failure);
  }
  return kErrorSuccess;
}

}  // namespace tpl
