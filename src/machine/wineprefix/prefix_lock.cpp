#include "machine/wineprefix/prefix_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "machine/wineprefix/errno_codes.h"

namespace tpl {
namespace {

const char kLockFile[] = "/.tplsetup.lock";

class FlockLock : public MachineLock {
 public:
  explicit FlockLock(int fd) : fd_(fd) {}
  ~FlockLock() override { close(fd_); }  // closing releases the lock
  FlockLock(const FlockLock&) = delete;
  FlockLock& operator=(const FlockLock&) = delete;

 private:
  int fd_;
};

}  // namespace

ErrorCode LockPrefix(const std::string& prefix, std::unique_ptr<MachineLock>* lock) {
  // O_NOFOLLOW: a link planted in the prefix must not make us create files
  // elsewhere. O_NONBLOCK: a FIFO in its place must not hang the run.
  const int fd = open((prefix + kLockFile).c_str(),
                      O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0666);
  if (fd < 0) {
    return errno == ELOOP ? kErrorAccessDenied : ErrorFromErrno(errno, kErrorPathNotFound);
  }
  while (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    if (errno == EINTR) continue;
    const ErrorCode error = errno == EWOULDBLOCK ? kErrorSharingViolation : ErrorFromErrno(errno);
    close(fd);
    return error;
  }
  *lock = std::make_unique<FlockLock>(fd);
  return kErrorSuccess;
}

}  // namespace tpl
