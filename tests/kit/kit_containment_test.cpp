// The kit stays the kit: before anything is copied, a link leading out of it
// or an entry that is no plain file or folder ends the installation.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "install/install_fixture.h"
#include "res/strings.h"

namespace tpl::test {
namespace {

namespace fs = std::filesystem;

class KitContainment : public ::testing::Test {
 protected:
  KitContainment() : kitDir(f.kitDir) {
    f.Kit("common/Webs/smallbiz.tem/index.htm", "web");
    f.Kit("fp2000/Pages/a.tem/a.htm", "page");
  }
  // The installing step for FrontPage 2002, as the step machine reaches it.
  void RunInstallingStep() {
    f.StartFor(kFP2002);
    f.wizard().NoteKitFoldersToCopy();
    f.wizard().m_bInstallFP2002 = 1;
    f.wizard().m_nStep = 4;
    f.wizard().OnNext();
  }
  void ExpectRefused(const std::string& description, const std::string& entry,
                     const std::string& reason) {
    EXPECT_EQ(f.wizard().m_nEndScreenId, kIdsFailed);
    EXPECT_EQ(f.NewLogLines(),
              (std::vector<std::string>{description + ": " + entry,
                                        // The system text keeps its own line end.
                                        "Reason: " + reason + "\r", "",
                                        "Installation failed. Please check the log file.",
                                        "Log file closed on DD-Mon-YYYY at HH:MM:SS", ""}));
    EXPECT_EQ(f.machine().copies(), 0);
  }

  InstallFixture f;
  const std::string kitDir;
};

TEST_F(KitContainment, FolderLinkedOutsideIsRefusedAndNothingIsCopied) {
  const std::string home = f.tmp.path() + "/home/.ssh";
  MakeHostFolders(home);
  WriteHostFile(home + "/id_rsa", "PRIVATE KEY");
  fs::create_directory_symlink(home, kitDir + "/common/Webs/keys.tem");
  RunInstallingStep();
  ExpectRefused("Kit entry links outside the kit", "common\\Webs\\keys.tem",
                "(5) Access is denied.");
  for (const auto& entry : fs::recursive_directory_iterator(f.prefix.root())) {
    if (entry.is_regular_file()) {
      EXPECT_EQ(ReadHostFile(entry.path()).find("PRIVATE KEY"), std::string::npos) << entry.path();
    }
  }
}

TEST_F(KitContainment, FifoIsRefusedWithoutBeingOpened) {
  ASSERT_EQ(mkfifo((kitDir + "/fp2000/Pages/a.tem/pipe.htm").c_str(), 0644), 0);
  RunInstallingStep();
  ExpectRefused("Kit entry is not a regular file", "fp2000\\Pages\\a.tem\\pipe.htm",
                "(1920) The file cannot be accessed by the system.");
}

TEST_F(KitContainment, LinkToDeviceIsRefused) {
  fs::create_symlink("/dev/zero", kitDir + "/fp2000/Pages/a.tem/zero.htm");
  RunInstallingStep();
  ExpectRefused("Kit entry links outside the kit", "fp2000\\Pages\\a.tem\\zero.htm",
                "(5) Access is denied.");
}

TEST_F(KitContainment, KitFolderItselfLinkedOutsideIsRefused) {
  MakeHostFolders(f.tmp.path() + "/elsewhere/Frames");
  fs::create_directory_symlink(f.tmp.path() + "/elsewhere", kitDir + "/fp2000/Frames");
  RunInstallingStep();
  ExpectRefused("Kit entry links outside the kit", "fp2000\\Frames", "(5) Access is denied.");
}

TEST_F(KitContainment, LinksInsideTheKitKeepWorking) {
  fs::create_directory_symlink("../../fp2000/Pages/a.tem", kitDir + "/common/Webs/b.tem");
  fs::create_directory_symlink("..", kitDir + "/common/Webs/up");  // a loop ends too
  f.StartFor(kFP2002);
  f.wizard().NoteKitFoldersToCopy();
  EXPECT_TRUE(f.wizard().CheckKitContainment());
  EXPECT_TRUE(f.wizard().CopyTree("common\\webs\\b.tem", kWebsDir));
  EXPECT_EQ(ReadHostFile(f.HostPath(std::string(kWebsDir) + "\\a.htm")), "page");
}

}  // namespace
}  // namespace tpl::test
