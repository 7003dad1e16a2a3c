// Runs that must not lose anything: a second run while one holds the lock, a
// signal in the middle of a large file, damaged machines, a log that goes
// missing. The program runs in a child process (a signal ends it from
// inside), on a throwaway copy of the example machine and kit.
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <functional>
#include <map>

#include "app/command_line.h"
#include "machine/wineprefix/copy_interruption.h"
#include "support/child_run.h"
#include "support/temp_dir.h"

namespace tpl::test {
namespace {

namespace fs = std::filesystem;

class SafeRun : public ::testing::Test {
 protected:
  SafeRun() {
    for (const char* part : {"machine", "kit"}) {
      fs::copy(std::string(TPL_SOURCE_DIR) + "/examples/" + part, tmp.path() + "/" + part,
               fs::copy_options::recursive | fs::copy_options::copy_symlinks);
    }
  }

  // ProgramMain(args) in a child process in `cwd`; `prepare` runs there first.
  ChildRun Program(std::vector<std::string> args, const std::function<void()>& prepare = {},
                   const std::string& cwd = "") {
    return RunInChild(tmp.path(), cwd.empty() ? tmp.path() : cwd, [&] {
      if (prepare) prepare();
      return ProgramMain(args);
    });
  }

  std::vector<std::string> Install(std::vector<std::string> extra = {}) {
    std::vector<std::string> args{"--silent",        "--accept-licence", "--versions", "2002",
                                  "--kit",           tmp.path() + "/kit", "--prefix",
                                  tmp.path() + "/machine"};
    args.insert(args.end(), extra.begin(), extra.end());
    return args;
  }
  std::string LogPath() { return tmp.path() + "/machine/drive_c/users/demo/Temp/tplsetup.log"; }
  std::string Installed(const std::string& inThemes) {
    return tmp.path() + "/machine/drive_c/Program Files/Common Files/Microsoft Shared/themes/" +
           inThemes;
  }
  TempDir tmp;
};

TEST_F(SafeRun, SecondRunWhileTheLockIsHeldWritesNothing) {
  ASSERT_EQ(Program(Install()).status, kExitInstalled);
  const std::string firstLog = ReadHostFile(LogPath());
  const int held = open((tmp.path() + "/machine/.tplsetup.lock").c_str(), O_RDWR);
  ASSERT_EQ(flock(held, LOCK_EX | LOCK_NB), 0);
  fs::remove_all(Installed("harbour"));
  for (const std::vector<std::string>& args : {Install(), Install({"--dry-run"})}) {
    const ChildRun second = Program(args);
    EXPECT_EQ(second.status, kExitFailed);
    EXPECT_EQ(second.err, "tplsetup: another installation is running on this machine\n");
    EXPECT_EQ(second.out, "");
  }
  close(held);
  EXPECT_EQ(ReadHostFile(LogPath()), firstLog);
  EXPECT_FALSE(fs::exists(Installed("harbour")));
}

TEST_F(SafeRun, SignalMidFileCancelsAndKeepsThePreviousFile) {
  const std::string big = tmp.path() + "/kit/common/Themes/harbour/big.bin";
  WriteHostFile(big, std::string(12 << 20, 'a'));
  ASSERT_EQ(Program(Install()).status, kExitInstalled);
  WriteHostFile(big, std::string(12 << 20, 'b'));
  const ChildRun interrupted =
      Program(Install(), [] { RaiseSignalAfterCopiedBytes(SIGTERM, 5 << 20); });
  EXPECT_EQ(interrupted.status, kExitCancelled);
  EXPECT_EQ(interrupted.err.find("File copy failed"), std::string::npos) << interrupted.err;
  // The cancelled end screen's lines, then only the closing line.
  const std::string log = ReadHostFile(LogPath());
  const std::string tail = log.substr(std::min(log.find("Installation interrupted"), log.size()));
  EXPECT_EQ(tail.substr(0, tail.find(" on ")),
            "Installation interrupted by SIGTERM\r\nInstallation cancelled.\r\nLog file closed");
  EXPECT_EQ(tail.find("\r\n\r\n"), tail.size() - 4);
  EXPECT_EQ(log.find("File copy failed"), std::string::npos);
  EXPECT_TRUE(ReadHostFile(Installed("harbour/big.bin")) == std::string(12 << 20, 'a'));
  for (const auto& entry : fs::recursive_directory_iterator(tmp.path() + "/machine")) {
    EXPECT_EQ(entry.path().filename().string().rfind(".tplsetup-", 0), std::string::npos)
        << entry.path();
  }
}

TEST_F(SafeRun, InterruptedInstallationIsUndoneToTheMachineAsItWas) {
  // The user's own harbour.css is replaced; the run stops inside a large file.
  fs::create_directories(Installed("harbour"));
  WriteHostFile(Installed("harbour/harbour.css"), "mine");
  WriteHostFile(tmp.path() + "/kit/common/Themes/meadow/big.bin", std::string(12 << 20, 'a'));
  const auto driveC = [this] {
    std::map<std::string, std::string> entries;
    for (const auto& entry : fs::recursive_directory_iterator(tmp.path() + "/machine/drive_c")) {
      if (entry.path() == LogPath()) continue;
      entries[entry.path().string()] =
          entry.is_regular_file() ? ReadHostFile(entry.path().string()) + " @" +
                                        std::to_string(entry.last_write_time().time_since_epoch().count())
                                  : "folder";
    }
    return entries;
  };
  const auto before = driveC();
  const auto interrupt = [] { RaiseSignalAfterCopiedBytes(SIGTERM, 5 << 20); };
  EXPECT_EQ(Program(Install({"--undo-on-failure"}), interrupt).status, kExitCancelled);
  EXPECT_EQ(driveC(), before);

  const ChildRun left = Program(Install(), interrupt);
  EXPECT_NE(left.err.find("tplsetup: to undo what was copied: tplsetup --uninstall --record kit\n"),
            std::string::npos) << left.err;
  EXPECT_EQ(ReadHostFile(Installed("harbour/harbour.css")).substr(0, 4), "/* H") << "not replaced";
  const ChildRun undo =
      Program({"--silent", "--uninstall", "--record", "kit", "--prefix", tmp.path() + "/machine"});
  EXPECT_EQ(undo.status, kExitInstalled) << undo.out << undo.err;
  EXPECT_EQ(driveC(), before);
}

TEST_F(SafeRun, DamagedMachinesGetTrueMessages) {
  fs::remove(tmp.path() + "/machine/user.reg");
  const ChildRun noUserHive = Program(Install());
  EXPECT_EQ(noUserHive.err.find("privilege"), std::string::npos) << noUserHive.err;
  EXPECT_EQ(ReadHostFile(LogPath()).find("privilege"), std::string::npos);

  const std::string gone = tmp.path() + "/gone";
  fs::create_directory(gone);
  const ChildRun noCurrentFolder =
      Program({"--silent", "--prefix", tmp.path() + "/machine"}, [gone] { fs::remove(gone); }, gone);
  EXPECT_EQ(noCurrentFolder.status, kExitUsage);
  EXPECT_NE(noCurrentFolder.err.find("current folder no longer exists"), std::string::npos);
}

TEST_F(SafeRun, LogRemovedDuringTheRunIsReportedIncomplete) {
  // Removed as soon as the first copy is made: its name is known then.
  const ChildRun run = Program(Install(), [this] {
    static std::string log = LogPath();
    struct sigaction remove {};
    remove.sa_handler = [](int) { unlink(log.c_str()); };
    sigaction(SIGUSR2, &remove, nullptr);
    RaiseSignalAfterCopiedBytes(SIGUSR2, 1);
  });
  EXPECT_EQ(run.status, kExitInstalled);
  EXPECT_NE(run.err.find("tplsetup: warning: the installation log C:\\users\\demo\\Temp\\"
                         "tplsetup.log is incomplete: (2) The system cannot find the file "
                         "specified.\n"),
            std::string::npos)
      << run.err;
  EXPECT_EQ(run.out.find("Log file written to"), std::string::npos) << run.out;
}

}  // namespace
}  // namespace tpl::test
