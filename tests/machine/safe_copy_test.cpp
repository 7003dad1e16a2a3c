// Copies that replace whole or not at all, backups on another volume, kit
// entries that must stay in the kit, and the one-installation lock.
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <memory>

#include "machine/interruption.h"
#include "machine/wineprefix/copy_interruption.h"
#include "machine_contract.h"

namespace tpl::test {
namespace {

namespace fs = std::filesystem;

class SafeCopy : public MachineContract {
 protected:
  void SetUp() override {
    prefix().AddFolder("C:\\dest");
    WriteHostFile(kit + "/new.txt", "new content");
  }
  // The names in the destination folder: no temporary may be left there.
  Strings DestNames() { return Names("C:\\dest\\*"); }
};

// A link at the destination is replaced, never written through; other hard
// links of a replaced file keep the old content.
TEST_F(SafeCopy, ReplacedFileIsANewFile) {
  prefix().AddFile("C:\\dest\\t.txt", "old");
  machine();
  const std::string outside = tmp.path() + "/outside.txt", other = tmp.path() + "/hard-link";
  WriteHostFile(outside, "keep me");
  fs::create_symlink(outside, Host("C:\\dest\\link.txt"));
  fs::create_hard_link(Host("C:\\dest\\t.txt"), other);
  ASSERT_EQ(Copy("new.txt", "C:\\dest\\link.txt"), kErrorSuccess);
  ASSERT_EQ(Copy("new.txt", "C:\\dest\\t.txt"), kErrorSuccess);
  EXPECT_EQ(ReadHostFile(outside), "keep me");
  EXPECT_FALSE(fs::is_symlink(Host("C:\\dest\\link.txt")));
  EXPECT_EQ(HostText("C:\\dest\\link.txt"), "new content");
  EXPECT_EQ(ReadHostFile(other), "old");
  EXPECT_EQ(HostText("C:\\dest\\t.txt"), "new content");
  EXPECT_EQ(DestNames(), (Strings{".", "..", "link.txt", "t.txt"}));
}

// A copy refused or interrupted half-way leaves the old file and no temporary.
TEST_F(SafeCopy, FailedCopiesLeaveTheOldFile) {
  prefix().AddFile("C:\\dest\\t.txt", "old");
  machine();
  ASSERT_EQ(mkfifo((kit + "/pipe").c_str(), 0644), 0);
  // The FIFO has no writer: opening it to read must not wait for one.
  EXPECT_EQ(Copy("pipe", "C:\\dest\\t.txt"), kErrorCantAccessFile);
  // A full disk, as a file size limit makes it.
  struct rlimit limit {}, previous{};
  getrlimit(RLIMIT_FSIZE, &previous);
  limit = previous;
  limit.rlim_cur = 4;
  signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
  const ErrorCode full = Copy("new.txt", "C:\\dest\\t.txt");
  setrlimit(RLIMIT_FSIZE, &previous);
  EXPECT_EQ(full, kErrorDiskFull);
  // An interruption: a handler that only records, as the program's first signal does.
  WriteHostFile(kit + "/big.bin", std::string(3 << 20, 'x'));
  struct sigaction record {}, before{};
  record.sa_handler = [](int signalNumber) { RequestInterruption(signalNumber); };
  ASSERT_EQ(sigaction(SIGUSR1, &record, &before), 0);
  RaiseSignalAfterCopiedBytes(SIGUSR1, 1 << 20);
  EXPECT_EQ(Copy("big.bin", "C:\\dest\\t.txt"), kErrorOperationAborted);
  sigaction(SIGUSR1, &before, nullptr);
  EXPECT_EQ(RequestedInterruption(), SIGUSR1);
  ClearInterruption();
  fs::permissions(Host("C:\\dest\\t.txt"), fs::perms::owner_write, fs::perm_options::remove);
  EXPECT_EQ(Copy("new.txt", "C:\\dest\\t.txt"), kErrorAccessDenied);
  EXPECT_EQ(HostText("C:\\dest\\t.txt"), "old");
  EXPECT_EQ(DestNames(), (Strings{".", "..", "t.txt"}));
}

// The kit's own refusals (links out, devices, FIFOs) are the kit tests'; here
// what only the machine sees: a path through a link out, a link to a FIFO,
// and the kit's texts, which are refused the same way and never wait on a FIFO.
TEST_F(SafeCopy, KitEntriesAreJudgedWithLinksFollowed) {
  WriteHostFile(tmp.path() + "/private/id_rsa", "secret");
  MakeHostFolders(kit + "/themes");
  fs::create_directory_symlink(tmp.path() + "/private", kit + "/themes/keys");
  ASSERT_EQ(mkfifo((kit + "/themes/pipe").c_str(), 0644), 0);
  fs::create_symlink("pipe", kit + "/themes/to-pipe");
  EXPECT_EQ(machine().CheckInsideCurrentFolder("themes\\keys\\id_rsa"), kErrorAccessDenied);
  EXPECT_EQ(machine().CheckInsideCurrentFolder("themes\\to-pipe"), kErrorCantAccessFile);
  EXPECT_EQ(Lines("themes\\keys\\id_rsa"), "error 5");
  EXPECT_EQ(Lines("themes\\pipe"), "error 1920");
  WriteHostFile(kit + "/themes/real.txt", "kept");  // a link by absolute path that stays inside
  fs::create_symlink(kit + "/themes/real.txt", kit + "/themes/inside.txt");
  EXPECT_EQ(Lines("themes\\inside.txt"), "kept");
}

TEST_F(SafeCopy, OneInstallationLockPerPrefix) {
  std::unique_ptr<MachineLock> first, second;
  ASSERT_EQ(machine().LockInstallation(&first), kErrorSuccess);
  // flock locks belong to the open file, so a second open in this process
  // stands for a second program.
  EXPECT_EQ(machine().LockInstallation(&second), kErrorSharingViolation);
  first.reset();
  EXPECT_EQ(machine().LockInstallation(&second), kErrorSuccess);
  second.reset();
  EXPECT_TRUE(fs::remove(prefix().root() + "/.tplsetup.lock"));
  MakeHostFolders(prefix().root() + "/.tplsetup.lock");  // a folder in the way
  EXPECT_EQ(machine().LockInstallation(&first), kErrorAccessDenied);
}

// The records folder in a linked user folder: no link reaches another volume,
// so the old file is copied whole, and it comes back whole, with its write time.
TEST_F(SafeCopy, BackupOnAnotherVolumeIsAWholeCopyAndComesBackWhole) {
  char other[] = "/dev/shm/tplsetup-volume.XXXXXX";
  if (mkdtemp(other) == nullptr) GTEST_SKIP() << "no /dev/shm here";
  const std::shared_ptr<void> removeOther(nullptr, [&other](void*) { fs::remove_all(other); });
  struct stat here {}, there {};
  if (stat(tmp.path().c_str(), &here) != 0 || stat(other, &there) != 0 ||
      here.st_dev == there.st_dev) {
    GTEST_SKIP() << "/dev/shm is on the test folder's volume";
  }
  prefix().AddFile("C:\\dest\\t.txt", "old");
  machine();
  fs::create_directory_symlink(other, Host("C:\\backups"));
  const auto written = fs::last_write_time(Host("C:\\dest\\t.txt")) - std::chrono::hours(24);
  fs::last_write_time(Host("C:\\dest\\t.txt"), written);
  ASSERT_EQ(machine().ReplaceKeepingBackup("new.txt", "C:\\dest\\t.txt", "C:\\backups\\1"),
            kErrorSuccess);
  EXPECT_EQ(HostText("C:\\dest\\t.txt") + ReadHostFile(std::string(other) + "/1"), "new contentold");
  ASSERT_EQ(machine().MoveFileOver("C:\\backups\\1", "C:\\dest\\t.txt"), kErrorSuccess);
  EXPECT_EQ(HostText("C:\\dest\\t.txt"), "old");
  EXPECT_EQ(fs::last_write_time(Host("C:\\dest\\t.txt")), written);
  EXPECT_EQ(DestNames(), (Strings{".", "..", "t.txt"}));
  EXPECT_TRUE(fs::is_empty(other));
}

}  // namespace
}  // namespace tpl::test
