// CopyFileA(source, destination, FALSE) between Unix files, replacing the
// destination whole or not at all.
#include <fcntl.h>
#include <stdio.h>
#include <sys/sendfile.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <optional>
#include <string>
#include <vector>

#include "machine/content_digest.h"
#include "machine/interruption.h"
#include "machine/wineprefix/copy_interruption.h"
#include "machine/wineprefix/errno_codes.h"
#include "machine/wineprefix/host_copy_contents.h"
#include "machine/wineprefix/host_files.h"
#include "machine/wineprefix/log_file_table.h"
#include "machine/wineprefix/unix_path.h"

namespace tpl {
namespace {

constexpr size_t kChunkBytes = size_t{1} << 20;
// The kernel copies a large file in steps of this size, so that a requested
// interruption is noticed within one step.
constexpr size_t kKernelStepBytes = size_t{8} << 20;
// CopyContents' result when an interruption was requested.
constexpr int kInterrupted = ECANCELED;

// Plain reads and writes: the last resort when the kernel cannot copy, and
// the way of a copy that is digested as it passes.
int CopyByBuffer(int from, int to, off_t size, FileContent* content) {
  // A small file is read in one step of its own size plus one byte, which
  // tells that it ended; its digest is then made in one piece.
  const size_t bufferSize = std::min(kChunkBytes, static_cast<size_t>(size) + 1);
  char* const buffer = ContentBuffer(bufferSize);
  std::optional<ContentDigest> digest;  // for a file read in several steps
  uint64_t total = 0;
  while (true) {
    if (RequestedInterruption() != 0) return kInterrupted;
    const ssize_t got = read(from, buffer, CopyStepLimit(bufferSize));
    if (got < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    // A short read that reached the size fstat gave is the end.
    const bool last = got == 0 || (static_cast<size_t>(got) < bufferSize &&
                                   total + static_cast<uint64_t>(got) >= static_cast<uint64_t>(size));
    if (content) {
      if (last && !digest) {
        ContentDigest::HexOf(buffer, static_cast<size_t>(got), &content->digest);
      } else {
        if (!digest) digest.emplace();
        digest->Add(buffer, static_cast<size_t>(got));
      }
    }
    if (got == 0) break;
    for (ssize_t done = 0; done < got;) {
      const ssize_t wrote = write(to, buffer + done, static_cast<size_t>(got - done));
      if (wrote < 0) {
        if (errno == EINTR) continue;
        return errno;
      }
      done += wrote;
    }
    total += static_cast<uint64_t>(got);
    NoteCopiedBytes(static_cast<size_t>(got));
    if (last) break;
  }
  if (content) {
    content->size = total;
    if (digest) content->digest = digest->Hex();
  }
  return 0;
}

}  // namespace

char* ContentBuffer(size_t size) {
  static thread_local std::vector<char> kept;
  if (kept.size() < size) kept.resize(size);
  return kept.data();
}

void KeepSourceFacts(int to, const struct stat& source) {
  if ((source.st_mode & S_IWUSR) == 0) {
    struct stat written;
    if (fstat(to, &written) == 0) fchmod(to, written.st_mode & ~0222);
  }
  const decltype(source.st_mtim) times[2] = {{0, UTIME_OMIT}, source.st_mtim};
  futimens(to, times);
}

// Copies the whole of `from` into `to` (both at offset 0); 0, an errno, or
// kInterrupted.
int CopyContents(int from, int to, off_t size, FileContent* content) {
  if (content) return CopyByBuffer(from, to, size, content);
  off_t copied = 0;
  bool kernelCopy = true;
  while (kernelCopy && copied < size) {
    if (RequestedInterruption() != 0) return kInterrupted;
    const size_t step = CopyStepLimit(std::min(static_cast<size_t>(size - copied), kKernelStepBytes));
    const ssize_t done = copy_file_range(from, nullptr, to, nullptr, step, 0);
    if (done > 0) {
      copied += done;
      NoteCopiedBytes(static_cast<size_t>(done));
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
    if (RequestedInterruption() != 0) return kInterrupted;
    const size_t step = CopyStepLimit(std::min(static_cast<size_t>(size - copied), kKernelStepBytes));
    const ssize_t done = sendfile(to, from, nullptr, step);
    if (done > 0) {
      copied += done;
      NoteCopiedBytes(static_cast<size_t>(done));
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
  return CopyByBuffer(from, to, size - copied, nullptr);
}

namespace {

// A name of its own for the copy under way in its destination folder; the
// process id keeps two programs apart, the count the copies of one.
void TemporaryName(std::string* name) {
  static const std::string start = ".tplsetup-" + std::to_string(getpid()) + "-";
  static unsigned long count = 0;
  name->assign(start).append(std::to_string(++count)).append(".tmp");
}

// Whether the existing `name` in the folder `dir` may be replaced: 0, or
// why not.
ErrorCode CheckReplaceable(int dir, const std::string& name, const struct stat& source) {
  struct stat target;
  // Gone since it was listed: nothing to replace. A link is itself replaced,
  // whatever it leads to.
  if (fstatat(dir, name.c_str(), &target, AT_SYMLINK_NOFOLLOW) != 0 || S_ISLNK(target.st_mode)) {
    return kErrorSuccess;
  }
  if (S_ISDIR(target.st_mode)) return kErrorAccessDenied;
  if (target.st_dev == source.st_dev && target.st_ino == source.st_ino) {
    return kErrorSharingViolation;  // the source is open: it cannot be replaced
  }
  if (LogFileTable::Held(target.st_dev, target.st_ino)) return kErrorSharingViolation;
  // The read-only attribute holds for root too.
  if ((target.st_mode & S_IWUSR) == 0) return kErrorAccessDenied;
  return kErrorSuccess;
}

// Takes the free name `name` for the complete copy, never replacing a file
// someone made there meanwhile: 0, 80 when taken, or an errno in *failure.
ErrorCode TakeFreeName(int dir, const std::string& temporary, const std::string& name,
                       int* failure) {
  if (renameat2(dir, temporary.c_str(), dir, name.c_str(), RENAME_NOREPLACE) == 0) {
    return kErrorSuccess;
  }
  if (errno == EINVAL || errno == ENOSYS) {  // a file system without it
    if (linkat(dir, temporary.c_str(), dir, name.c_str(), 0) == 0) {
      unlinkat(dir, temporary.c_str(), 0);
      return kErrorSuccess;
    }
  }
  if (errno == EEXIST) return kErrorFileExists;
  *failure = errno;
  return kErrorSuccess;
}

}  // namespace

ErrorCode HostFiles::PutInPlace(int dir, const std::string& temporary, const ResolvedPath& to,
                                const struct stat& source, int* failure) {
  // A name the listing lacks is taken only while it is still free: one that
  // someone else has made since is checked like any other first.
  if (!to.exists) {
    if (renameat2(dir, temporary.c_str(), dir, to.name.c_str(), RENAME_NOREPLACE) == 0) {
      return kErrorSuccess;
    }
    if (errno != EEXIST && errno != EINVAL && errno != ENOSYS) {
      *failure = errno;
      return kErrorSuccess;
    }
    const ErrorCode refusal = CheckReplaceable(dir, to.name, source);
    if (refusal != kErrorSuccess) return refusal;
  }
  // The one place where a complete copy replaces the final name.
  if (renameat(dir, temporary.c_str(), dir, to.name.c_str()) != 0) *failure = errno;
  return kErrorSuccess;
}

int HostFiles::OpenIn(const std::string& folder, const std::string& name, int flags) {
  return InFolder(folder, [&](int dir) { return openat(dir, name.c_str(), flags, 0666); });
}

int HostFiles::WriteTemporary(int input, const struct stat& info, const std::string& folder,
                              std::string* temporary, FileContent* content) {
  TemporaryName(temporary);
  FileDescriptor output(OpenIn(folder, *temporary, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC));
  if (output.get() < 0) return errno;
  HoldTemporary(folder, *temporary);
  int failure = CopyContents(input, output.get(), info.st_size, content);
  if (failure == 0) KeepSourceFacts(output.get(), info);
  if (output.Close() != 0 && failure == 0) failure = errno;
  if (failure != 0) {
    unlinkat(folders().Get(folder), temporary->c_str(), 0);
    ReleaseTemporary();
  }
  return failure;
}

ErrorCode HostFiles::KeepBackup(const ResolvedPath& old, const std::string& backupPath) {
  ResolvedPath backup;
  ErrorCode error = resolver_.Resolve(backupPath, PathResolver::Purpose::kCreate, &backup);
  if (error != kErrorSuccess) return error;
  if (backup.isRoot || backup.exists) return kErrorAccessDenied;
  const int fromDir = folders().Get(old.folder);
  const int toDir = folders().Get(backup.folder);
  if (fromDir < 0 || toDir < 0) return ErrorFromErrno(errno, kErrorPathNotFound);
  if (linkat(fromDir, old.name.c_str(), toDir, backup.name.c_str(), 0) != 0) {
    if (errno != EXDEV && errno != EPERM) return ErrorFromErrno(errno, kErrorPathNotFound);
    error = CopyAcrossVolumes(old, backup, false);  // another volume
    if (error != kErrorSuccess) return error;
  }
  resolver_.cache().Added(backup.folder, backup.name);
  return kErrorSuccess;
}

ErrorCode HostFiles::CopyAcrossVolumes(const ResolvedPath& from, const ResolvedPath& to,
                                       bool mayReplace) {
  FileDescriptor input(
      OpenIn(from.folder, from.name, O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW));
  struct stat info;
  if (input.get() < 0 || fstat(input.get(), &info) != 0) return ErrorFromErrno(errno);
  if (!S_ISREG(info.st_mode)) return kErrorCantAccessFile;
  std::string temporary;
  int failure = WriteTemporary(input.get(), info, to.folder, &temporary, nullptr);
  if (failure != 0) return failure == kInterrupted ? kErrorOperationAborted : ErrorFromErrno(failure);
  const int dir = folders().Get(to.folder);
  ErrorCode error = kErrorSuccess;
  if (mayReplace) {
    if (renameat(dir, temporary.c_str(), dir, to.name.c_str()) != 0) failure = errno;
  } else {
    error = TakeFreeName(dir, temporary, to.name, &failure);
  }
  if (failure != 0 || error != kErrorSuccess) unlinkat(dir, temporary.c_str(), 0);
  ReleaseTemporary();
  if (failure != 0) return ErrorFromErrno(failure, kErrorPathNotFound);
  return error == kErrorSuccess ? kErrorSuccess : kErrorAccessDenied;  // a free name was promised
}

ErrorCode HostFiles::CopyFileOver(const std::string& source, const std::string& destination) {
  return CopyWhole(source, destination, CopyExtras());
}

ErrorCode HostFiles::CopyNewFile(const std::string& source, const std::string& destination,
                                 FileContent* copied) {
  CopyExtras extras;
  extras.onlyNew = true;
  extras.content = copied;
  return CopyWhole(source, destination, extras);
}

ErrorCode HostFiles::ReplaceKeepingBackup(const std::string& source,
                                          const std::string& destination,
                                          const std::string& backupPath) {
  CopyExtras extras;
  extras.backup = &backupPath;
  return CopyWhole(source, destination, extras);
}

ErrorCode HostFiles::CopyWhole(const std::string& source, const std::string& destination,
                               const CopyExtras& extras) {
  // The source in the spelling given is opened first: a kit's walk names
  // its files as they are listed, so looking each one up is seldom needed.
  ResolvedPath& from = copyFrom_;
  ErrorCode error = resolver_.Resolve(source, PathResolver::Purpose::kOpen, &from);
  if (error != kErrorSuccess) return error;
  if (from.isRoot) return kErrorAccessDenied;
  // O_NONBLOCK: opening a FIFO must not wait for a writer.
  constexpr int kSourceFlags = O_RDONLY | O_CLOEXEC | O_NONBLOCK;
  FileDescriptor input(OpenIn(from.folder, from.name, kSourceFlags));
  if (input.get() < 0 && errno == ENOENT) {
    error = ResolveExisting(source, &from);  // the same path: no root either
    if (error != kErrorSuccess) return error;
    input.Reset(OpenIn(from.folder, from.name, kSourceFlags));
  }
  if (input.get() < 0) return ErrorFromErrno(errno);
  ResolvedPath& to = copyTo_;
  error = resolver_.Resolve(destination, PathResolver::Purpose::kCreate, &to);
  if (error != kErrorSuccess) return error;
  if (to.exists && extras.onlyNew) return kErrorFileExists;
  if (to.isRoot) return kErrorAccessDenied;
  struct stat sourceInfo;
  if (fstat(input.get(), &sourceInfo) != 0) return ErrorFromErrno(errno);
  if (S_ISDIR(sourceInfo.st_mode)) return kErrorAccessDenied;
  if (!S_ISREG(sourceInfo.st_mode)) return kErrorCantAccessFile;
  if (LogFileTable::Held(sourceInfo.st_dev, sourceInfo.st_ino)) return kErrorSharingViolation;
  if (to.exists) {
    const int dir = folders().Get(to.folder);
    if (dir < 0) return ErrorFromErrno(errno, kErrorPathNotFound);
    error = CheckReplaceable(dir, to.name, sourceInfo);
    if (error != kErrorSuccess) return error;
    // Kept before the new file is written: an interrupted copy leaves the
    // old file at both names, which the undo counts as undone.
    if (extras.backup != nullptr) {
      error = KeepBackup(to, *extras.backup);
      if (error != kErrorSuccess) return error;
    }
  }

  // Written whole under a name of its own, then renamed over the final name:
  // the old file stays intact until the new one is complete.
  std::string& temporary = copyTemporary_;
  int failure = WriteTemporary(input.get(), sourceInfo, to.folder, &temporary, extras.content);
  if (failure == kInterrupted) return kErrorOperationAborted;
  if (failure != 0) return ErrorFromErrno(failure, kErrorPathNotFound);
  const int dir = folders().Get(to.folder);  // held: the copy just used it
  error = extras.onlyNew ? TakeFreeName(dir, temporary, to.name, &failure)
                         : PutInPlace(dir, temporary, to, sourceInfo, &failure);
  if (failure != 0 || error != kErrorSuccess) unlinkat(dir, temporary.c_str(), 0);
  ReleaseTemporary();
  if (failure != 0) return ErrorFromErrno(failure);
  if (error != kErrorSuccess) return error;
  // Our own change to the folder: its listing stays good.
  resolver_.cache().Copied(to.folder, to.name);
  return kErrorSuccess;
}

}  // namespace tpl
