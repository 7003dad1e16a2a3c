// Copies that replace whole or not at all, kit entries that must stay in the
// kit, and the one-installation lock.
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <fcntl.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

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

TEST_F(SafeCopy, KitEntriesAreJudgedWithLinksFollowed) {
  MakeHostFolders(kit + "/themes/blue");
  MakeHostFolders(tmp.path() + "/private");
  WriteHostFile(tmp.path() + "/private/id_rsa", "secret");
  fs::create_directory_symlink("blue", kit + "/themes/inside");
  fs::create_directory_symlink(tmp.path() + "/private", kit + "/themes/keys");
  fs::create_symlink("/dev/zero", kit + "/themes/zero");
  ASSERT_EQ(mkfifo((kit + "/themes/pipe").c_str(), 0644), 0);
  fs::create_symlink("pipe", kit + "/themes/to-pipe");
  EXPECT_EQ(machine().CheckInsideCurrentFolder("themes\\inside"), kErrorSuccess);
  EXPECT_EQ(machine().CheckInsideCurrentFolder("themes\\keys"), kErrorAccessDenied);
  EXPECT_EQ(machine().CheckInsideCurrentFolder("themes\\keys\\id_rsa"), kErrorAccessDenied);
  EXPECT_EQ(machine().CheckInsideCurrentFolder("themes\\zero"), kErrorAccessDenied);
  EXPECT_EQ(machine().CheckInsideCurrentFolder("themes\\to-pipe"), kErrorCantAccessFile);
  // The kit's texts are refused the same way, and a FIFO is never waited on.
  EXPECT_EQ(Lines("themes\\keys\\id_rsa"), "error 5");
  EXPECT_EQ(Lines("themes\\pipe"), "error 1920");
  std::vector<FindData> found;
  ASSERT_EQ(machine().FindFiles("themes\\pipe", &found), kErrorSuccess);
  EXPECT_TRUE(found[0].special);
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

}  // namespace
}  // namespace tpl::test
