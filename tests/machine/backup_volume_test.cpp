// A backup kept on another volume than the file it keeps (the records folder
// in a linked user folder): no link can reach there, so the old file is copied
// whole, and it comes back whole, with its write time.
#include <stdlib.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <memory>

#include "machine_contract.h"

namespace tpl::test {
namespace {

namespace fs = std::filesystem;

TEST_F(MachineContract, BackupOnAnotherVolumeIsAWholeCopyAndComesBackWhole) {
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
  WriteHostFile(kit + "/new.txt", "new");

  ASSERT_EQ(machine().ReplaceKeepingBackup("new.txt", "C:\\dest\\t.txt", "C:\\backups\\1"),
            kErrorSuccess);
  EXPECT_EQ(HostText("C:\\dest\\t.txt"), "new");
  EXPECT_EQ(ReadHostFile(std::string(other) + "/1"), "old");
  ASSERT_EQ(machine().MoveFileOver("C:\\backups\\1", "C:\\dest\\t.txt"), kErrorSuccess);
  EXPECT_EQ(HostText("C:\\dest\\t.txt"), "old");
  EXPECT_EQ(fs::last_write_time(Host("C:\\dest\\t.txt")), written);
  EXPECT_EQ(Names("C:\\dest\\*"), (Strings{".", "..", "t.txt"}));  // no temporary left behind
  EXPECT_TRUE(fs::is_empty(other));
}

}  // namespace
}  // namespace tpl::test
