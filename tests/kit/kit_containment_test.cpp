// The kit stays the kit: before anything is copied, a link leading out of it
// or an entry that is no plain file or folder ends the installation.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>

#include "install/install_fixture.h"
#include "res/strings.h"

namespace tpl::test {
namespace {

namespace fs = std::filesystem;

using Strings = std::vector<std::string>;

TEST(KitContainment, AnEntryLeadingOutOrNoPlainFileEndsTheInstallationBeforeAnyCopy) {
  const std::string outside = "Kit entry links outside the kit", denied = "(5) Access is denied.";
  const struct {
    std::function<void(const std::string& kit, const std::string& tmp)> make;
    std::string description, entry, reason;
  } cases[] = {
      {[](const std::string& kit, const std::string& tmp) {
         MakeHostFolders(tmp + "/home/.ssh");
         WriteHostFile(tmp + "/home/.ssh/id_rsa", "PRIVATE KEY");
         fs::create_directory_symlink(tmp + "/home/.ssh", kit + "/common/Webs/keys.tem");
       }, outside, "common\\Webs\\keys.tem", denied},
      {[](const std::string& kit, const std::string&) {
         ASSERT_EQ(mkfifo((kit + "/fp2000/Pages/a.tem/pipe.htm").c_str(), 0644), 0);
       }, "Kit entry is not a regular file", "fp2000\\Pages\\a.tem\\pipe.htm",
       "(1920) The file cannot be accessed by the system."},
      {[](const std::string& kit, const std::string& tmp) {  // the kit folder itself
         MakeHostFolders(tmp + "/elsewhere/Frames");
         fs::create_directory_symlink(tmp + "/elsewhere", kit + "/fp2000/Frames");
       }, outside, "fp2000\\Frames", denied},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.entry);
    InstallFixture f;
    f.Kit("common/Webs/smallbiz.tem/index.htm", "web");
    f.Kit("fp2000/Pages/a.tem/a.htm", "page");
    c.make(f.kitDir, f.tmp.path());
    // The installing step for FrontPage 2002, as the step machine reaches it.
    f.StartFor(kFP2002);
    f.wizard().NoteKitFoldersToCopy();
    f.wizard().m_bInstallFP2002 = 1;
    f.wizard().m_nStep = 4;
    f.wizard().OnNext();
    EXPECT_EQ(f.wizard().m_nEndScreenId, kIdsFailed);
    // The system text keeps its own line end.
    EXPECT_EQ(f.NewLogLines(), (Strings{c.description + ": " + c.entry, "Reason: " + c.reason + "\r",
                                        "", "Installation failed. Please check the log file.",
                                        "Log file closed on DD-Mon-YYYY at HH:MM:SS", ""}));
    EXPECT_TRUE(f.DestUntouched());
  }
}

TEST(KitContainment, LinksInsideTheKitKeepWorking) {
  InstallFixture f;
  f.Kit("fp2000/Pages/a.tem/a.htm", "page");
  MakeHostFolders(f.kitDir + "/common/Webs");
  fs::create_directory_symlink("../../fp2000/Pages/a.tem", f.kitDir + "/common/Webs/b.tem");
  fs::create_directory_symlink("..", f.kitDir + "/common/Webs/up");  // a loop ends too
  f.StartFor(kFP2002);
  f.wizard().NoteKitFoldersToCopy();
  EXPECT_TRUE(f.wizard().CheckKitContainment());
  EXPECT_TRUE(f.wizard().CopyTree("common\\webs\\b.tem", kWebsDir));
  EXPECT_EQ(f.Read(std::string(kWebsDir) + "\\a.htm"), "page");
}

}  // namespace
}  // namespace tpl::test
