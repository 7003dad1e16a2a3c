// The program as a user runs it, in a child process (a signal ends it from
// inside) on a throwaway copy of the example machine and kit: the options
// and their mistakes, the exit statuses, standard output and error, and the
// runs that must not lose anything: a second run while one holds the lock, a
// signal in the middle of a large file, a damaged machine, a log that goes
// missing.
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <vector>

#include "app/command_line.h"
#include "machine/wineprefix/copy_interruption.h"
#include "support/child_run.h"
#include "support/temp_dir.h"

namespace tpl::test {
namespace {

namespace fs = std::filesystem;

class Program : public ::testing::Test {
 protected:
  Program() {
    for (const char* part : {"machine", "kit"}) {
      fs::copy(std::string(TPL_SOURCE_DIR) + "/examples/" + part, tmp.path() + "/" + part,
               fs::copy_options::recursive | fs::copy_options::copy_symlinks);
    }
  }

  // ProgramMain(args) in a child process in `cwd`; `prepare` runs there first.
  ChildRun Run(std::vector<std::string> args, const std::function<void()>& prepare = {},
               const std::string& cwd = "") {
    return RunInChild(tmp.path(), cwd.empty() ? tmp.path() : cwd, [&] {
      if (prepare) prepare();
      return ProgramMain(args);
    });
  }
  std::vector<std::string> Install(std::vector<std::string> extra = {}) {
    std::vector<std::string> args{"--silent", "--accept-licence", "--versions", "2002",
                                  "--kit",    kit,                "--prefix",   machine};
    args.insert(args.end(), extra.begin(), extra.end());
    return args;
  }
  std::string Installed(const std::string& inThemes) {
    return machine + "/drive_c/Program Files/Common Files/Microsoft Shared/themes/" + inThemes;
  }

  TempDir tmp;
  const std::string machine = tmp.path() + "/machine", kit = tmp.path() + "/kit";
  const std::string log = machine + "/drive_c/users/demo/Temp/tplsetup.log";
};

// Runs that install nothing: each exit status, and pieces of what goes to
// standard output and standard error. Without --silent the wizard runs on
// the terminal, and input that ends is Esc.
TEST_F(Program, RunsThatInstallNothing) {
  const std::string empty = tmp.path() + "/empty", gone = tmp.path() + "/gone";
  const std::string home = tmp.path() + "/home";
  fs::create_directory(empty);
  fs::create_directory(gone);
  const struct Case {
    std::vector<std::string> args;
    std::function<void()> prepare;
    int status;
    std::vector<std::string> outHas, errHas;
    std::string cwd = "";
  } cases[] = {
      {{"--help"}, {}, 0, {"Usage: tplsetup [options]\n"}, {}},
      {{"--version"}, {}, 0, {"tplsetup 1.0\n"}, {}},
      {{"--kit", kit, "--prefix", machine}, [] { setenv("LANG", "C.UTF-8", 1); }, kExitCancelled,
       {"[end of input]", "  Installation cancelled.\n"}, {}},
      {{"--silent", "--versions", "97"}, {}, 64, {},
       {"tplsetup: ", "\nUsage: tplsetup [options]\n"}},
      {{"--silent", "--prefix", empty}, {}, 64, {},
       {"\"" + empty + "\" is not a Wine prefix", "system.reg"}},
      {{"--silent"}, [=] { unsetenv("WINEPREFIX"), setenv("HOME", home.c_str(), 1); },
       64, {}, {home + "/.wine"}},
      {{"--silent", "--prefix", machine, "--kit", tmp.path() + "/nokit"}, {}, 64, {}, {"nokit"}},
      {{"--silent", "--prefix", machine}, [=] { fs::remove(gone); }, 64, {},
       {"current folder no longer exists"}, gone},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.args));
    const ChildRun run = Run(c.args, c.prepare, c.cwd);
    EXPECT_EQ(run.status, c.status);
    for (const std::string& piece : c.outHas) {
      EXPECT_NE(run.out.find(piece), std::string::npos) << run.out;
    }
    EXPECT_EQ(run.err.empty(), c.errHas.empty()) << run.err;
    for (const std::string& piece : c.errHas) {
      EXPECT_NE(run.err.find(piece), std::string::npos) << run.err;
    }
  }
}

// The built program itself: the example kit, the current folder, into the
// example machine, $WINEPREFIX.
TEST_F(Program, InstallsTheExampleKitIntoTheExampleMachine) {
  const ChildRun run = RunInChild(tmp.path(), kit, [this] {
    setenv("WINEPREFIX", machine.c_str(), 1);
    execl(TPLSETUP_BIN, TPLSETUP_BIN, "--silent", "--accept-licence", "--versions", "2002,2003",
          nullptr);
    return 127;
  });
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  // The rest of the end screen is the end screen tests'.
  EXPECT_EQ(run.out.substr(0, run.out.find("\n\n")),
            "The installation was successfully completed.\n"
            "Log file written to C:\\users\\demo\\Temp\\tplsetup.log");
  EXPECT_EQ(ReadHostFile(Installed("harbour/harbour.inf")),
            ReadHostFile(kit + "/common/Themes/harbour/harbour.inf"));
}

TEST_F(Program, SecondRunWhileTheLockIsHeldWritesNothing) {
  ASSERT_EQ(Run(Install()).status, kExitInstalled);
  const std::string firstLog = ReadHostFile(log);
  const int held = open((machine + "/.tplsetup.lock").c_str(), O_RDWR);
  ASSERT_EQ(flock(held, LOCK_EX | LOCK_NB), 0);
  fs::remove_all(Installed("harbour"));
  for (const std::vector<std::string>& args : {Install(), Install({"--dry-run"})}) {
    const ChildRun second = Run(args);
    EXPECT_EQ(second.status, kExitFailed);
    EXPECT_EQ(second.err, "tplsetup: another installation is running on this machine\n");
    EXPECT_EQ(second.out, "");
  }
  close(held);
  EXPECT_EQ(ReadHostFile(log), firstLog);
  EXPECT_FALSE(fs::exists(Installed("harbour")));
}

// A signal inside a large file: the user's own harbour.css, replaced before
// it, comes back at once with --undo-on-failure, else when the named undo runs.
TEST_F(Program, SignalMidFileCancelsAndIsUndoneAtOnceOrLater) {
  fs::create_directories(Installed("harbour"));
  WriteHostFile(Installed("harbour/harbour.css"), "mine");
  WriteHostFile(kit + "/common/Themes/meadow/big.bin", std::string(12 << 20, 'a'));
  const auto driveC = [this] { return HostTreeState(machine + "/drive_c"); };
  const auto before = driveC();
  const auto interrupt = [] { RaiseSignalAfterCopiedBytes(SIGTERM, 5 << 20); };
  EXPECT_EQ(Run(Install({"--undo-on-failure"}), interrupt).status, kExitCancelled);
  EXPECT_EQ(driveC(), before);

  const ChildRun left = Run(Install(), interrupt);
  EXPECT_EQ(left.status, kExitCancelled);
  EXPECT_EQ(left.err, "tplsetup: to undo what was copied: tplsetup --uninstall --record kit\n");
  EXPECT_EQ(ReadHostFile(Installed("harbour/harbour.css")).substr(0, 4), "/* H") << "not replaced";
  // The cancelled end screen's lines, then only the closing line.
  const std::string text = ReadHostFile(log);
  const std::string tail =
      text.substr(std::min(text.find("Installation interrupted"), text.size()));
  EXPECT_EQ(tail.substr(0, tail.find(" on ")),
            "Installation interrupted by SIGTERM\r\nInstallation cancelled.\r\nLog file closed");
  EXPECT_EQ(tail.find("\r\n\r\n"), tail.size() - 4);
  EXPECT_EQ(text.find("File copy failed"), std::string::npos);
  const ChildRun undo = Run({"--silent", "--uninstall", "--record", "kit", "--prefix", machine});
  EXPECT_EQ(undo.status, kExitInstalled) << undo.out << undo.err;
  EXPECT_EQ(driveC(), before);
}

// A log removed during the run (as soon as the first copy is made: its name
// is known then) is reported incomplete; a prefix without user.reg is an
// empty hive, not a refusal.
TEST_F(Program, MissingUserHiveAndRemovedLogGetTrueMessages) {
  const ChildRun run = Run(Install(), [this] {
    static std::string removed = log;
    struct sigaction remove {};
    remove.sa_handler = [](int) { unlink(removed.c_str()); };
    sigaction(SIGUSR2, &remove, nullptr);
    RaiseSignalAfterCopiedBytes(SIGUSR2, 1);
  });
  EXPECT_EQ(run.status, kExitInstalled);
  EXPECT_EQ(run.err, "tplsetup: warning: the installation log C:\\users\\demo\\Temp\\tplsetup.log "
                     "is incomplete: (2) The system cannot find the file specified.\n");
  EXPECT_EQ(run.out.find("Log file written to"), std::string::npos) << run.out;

  fs::remove(machine + "/user.reg");
  const ChildRun noUserHive = Run(Install());
  EXPECT_EQ(noUserHive.err.find("privilege"), std::string::npos) << noUserHive.err;
  const std::string windowsLog = ReadHostFile(machine + "/drive_c/windows/temp/tplsetup.log");
  EXPECT_NE(windowsLog.find("Log file closed"), std::string::npos);
  EXPECT_EQ(windowsLog.find("privilege"), std::string::npos);
}

}  // namespace
}  // namespace tpl::test
