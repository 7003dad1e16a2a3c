// The real program tried as a new user tries it: started in a terminal (a
// pseudo-terminal), from the first screen to the end screen, on a Wine
// prefix with FrontPage 2002 and a small kit.
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <string>
#include <vector>

#include "support/prefix_builder.h"
#include "support/temp_dir.h"

extern char** environ;

namespace tpl::test {
namespace {

#ifdef TPLSETUP_BIN

using namespace std::chrono_literals;

const char kClearScreen[] = "\x1b[H\x1b[2J";
const char kPrompt[] = "Your choice: ";

// The program on the slave side of a pseudo-terminal of 80 by 30; the test
// reads the master side as the terminal would and types into it.
class TerminalSession {
 public:
  TerminalSession(const std::string& program, const std::vector<std::string>& args,
                  const std::vector<std::string>& environment) {
    // The inherited environment, less the variables `environment` sets
    // ("NAME=value") or unsets ("NAME").
    std::vector<std::string> env;
    for (char** entry = environ; *entry != nullptr; ++entry) {
      const std::string text = *entry;
      bool overridden = false;
      for (const std::string& change : environment) {
        const std::string name = change.substr(0, change.find('=')) + "=";
        if (text.compare(0, name.size(), name) == 0) overridden = true;
      }
      if (!overridden) env.push_back(text);
    }
    for (const std::string& change : environment) {
      if (change.find('=') != std::string::npos) env.push_back(change);
    }
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (std::string& entry : env) envp.push_back(entry.data());
    envp.push_back(nullptr);

    winsize size{};
    size.ws_col = 80;
    size.ws_row = 30;
    pid_ = forkpty(&master_, nullptr, nullptr, &size);
    if (pid_ == 0) {
      execve(program.c_str(), argv.data(), envp.data());
      _exit(127);
    }
  }

  ~TerminalSession() {
    if (pid_ > 0 && !exited_) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    if (master_ >= 0) close(master_);
  }

  bool started() const { return pid_ > 0; }

  // Reads until `text` has come since the last keys typed; false when it
  // has not within `timeout` or the program ended first.
  bool WaitFor(const std::string& text, std::chrono::seconds timeout = 30s) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (output_.find(text, typedAt_) == std::string::npos) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
          deadline - std::chrono::steady_clock::now());
      if (left.count() <= 0 || !ReadSome(static_cast<int>(left.count()))) return false;
    }
    return true;
  }

  void Type(const std::string& keys) {
    typedAt_ = output_.size();
    ASSERT_EQ(write(master_, keys.data(), keys.size()), static_cast<ssize_t>(keys.size()));
  }

  // What the terminal shows: everything since the screen was last cleared.
  std::string Screen() const {
    const size_t clear = output_.rfind(kClearScreen);
    return clear == std::string::npos ? output_ : output_.substr(clear + sizeof kClearScreen - 1);
  }
  // Everything written since the last keys typed.
  std::string SinceTyped() const { return output_.substr(typedAt_); }

  // Reads to the end and returns the exit status (-1 when it did not end
  // within `timeout`).
  int WaitForExit(std::chrono::seconds timeout = 30s) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline && ReadSome(100)) {
    }
    int status = 0;
    for (auto now = std::chrono::steady_clock::now(); now < deadline;
         now = std::chrono::steady_clock::now()) {
      const pid_t done = waitpid(pid_, &status, WNOHANG);
      if (done == pid_) {
        exited_ = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
      }
      usleep(20000);
    }
    return -1;
  }

 private:
  // One read of what is waiting; false at the end of the output.
  bool ReadSome(int timeoutMs) {
    pollfd fd{master_, POLLIN, 0};
    const int ready = poll(&fd, 1, timeoutMs);
    if (ready == 0) return true;  // nothing yet
    if (ready < 0) return errno == EINTR;
    char buffer[4096];
    const ssize_t got = read(master_, buffer, sizeof buffer);
    if (got <= 0) return false;  // EIO: the program closed the terminal
    output_.append(buffer, static_cast<size_t>(got));
    return true;
  }

  pid_t pid_ = -1;
  int master_ = -1;
  bool exited_ = false;
  std::string output_;
  size_t typedAt_ = 0;
};

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(ConsoleProgram, ANewUserInstallsAKitFromTheFirstScreenToTheEndScreen) {
  TempDir tmp;
  PrefixBuilder prefix(tmp.path() + "/prefix");
  prefix.AddFrontPage(2, "C:\\Program Files\\Microsoft Office\\Office10");
  prefix.AddFolder("C:\\Program Files\\Microsoft Office\\templates\\1033");
  prefix.Write();
  const std::string kit = tmp.path() + "/kit";
  WriteHostFile(kit + "/common/Themes/blue/blue.inf", "title=Blue\r\nversion=1\r\n");
  WriteHostFile(kit + "/common/Themes/blue/blue.css", "body { color: navy }\r\n");
  WriteHostFile(kit + "/common/Pages/welcome/welcome.htm", "<html></html>\r\n");
  WriteHostFile(kit + "/license.txt", "Use it well.\r\n");
  WriteHostFile(kit + "/readme.txt", "Thank you for installing Blue.\r\n");
  const std::string paged = tmp.path() + "/paged.txt";

  TerminalSession user(TPLSETUP_BIN, {"--kit", kit, "--prefix", prefix.root()},
                       {"TERM=xterm", "NO_COLOR", "LANG=C.UTF-8", "PAGER=cat > " + paged});
  ASSERT_TRUE(user.started());

  // The first screen: the welcome text and the usable controls with keys.
  ASSERT_TRUE(user.WaitFor(kPrompt)) << user.Screen();
  std::string screen = user.Screen();
  EXPECT_TRUE(Contains(screen, "FrontPage Theme Installation")) << screen;
  EXPECT_TRUE(Contains(screen, "Click Next to start, or Cancel to terminate.")) << screen;
  EXPECT_TRUE(Contains(screen, "l)  [x] Create log file")) << screen;
  EXPECT_TRUE(Contains(screen, "c) Cancel   n) Next > (Enter)")) << screen;
  EXPECT_FALSE(Contains(screen, "Finish")) << screen;
  EXPECT_TRUE(Contains(screen, "\x1b[1m=== FrontPage Theme Installation")) << screen;  // bold

  // Next: the install plan.
  user.Type("n\r");
  ASSERT_TRUE(user.WaitFor(kPrompt)) << user.Screen();
  screen = user.Screen();
  EXPECT_TRUE(Contains(screen, "The following themes and templates will be installed.")) << screen;
  EXPECT_TRUE(Contains(screen, "Blue")) << screen;
  EXPECT_FALSE(Contains(screen, "About...")) << screen;

  // Enter is Next: the licence, accepted by its key.
  user.Type("\r");
  ASSERT_TRUE(user.WaitFor(kPrompt)) << user.Screen();
  screen = user.Screen();
  EXPECT_TRUE(Contains(screen, "LICENCE AGREEMENT")) << screen;
  EXPECT_TRUE(Contains(screen, "Use it well.")) << screen;
  EXPECT_TRUE(Contains(screen, "d) Don't Accept   a) Accept")) << screen;
  user.Type("a\r");
  ASSERT_TRUE(user.WaitFor(kPrompt)) << user.Screen();
  EXPECT_TRUE(Contains(user.Screen(), "Ready to install themes.")) << user.Screen();

  // Next: the copy with its progress bar, then the end screen.
  user.Type("n\r");
  ASSERT_TRUE(user.WaitFor("Finish (Enter)")) << user.SinceTyped();
  ASSERT_TRUE(user.WaitFor(kPrompt)) << user.SinceTyped();
  EXPECT_TRUE(Contains(user.SinceTyped(), "Installing FrontPage 2002 files")) << user.SinceTyped();
  EXPECT_TRUE(Contains(user.SinceTyped(), "] 100%")) << user.SinceTyped();
  screen = user.Screen();
  EXPECT_TRUE(Contains(screen, "The installation was successfully completed.")) << screen;
  const std::string logPath = prefix.TempPath() + "\\tplsetup.log";
  EXPECT_TRUE(Contains(screen, "Log file written to " + logPath)) << screen;
  EXPECT_TRUE(Contains(screen, "v)  [x] View Readme file")) << screen;
  EXPECT_FALSE(Contains(screen, "n) Next")) << screen;
  EXPECT_FALSE(Contains(screen, "c) Cancel")) << screen;

  // Finish: the readme in the pager, and the program ends.
  user.Type("f\r");
  EXPECT_EQ(user.WaitForExit(), 0) << user.SinceTyped();
  EXPECT_EQ(ReadHostFile(paged), "Thank you for installing Blue.\n");

  const std::string log = ReadHostFile(prefix.HostPath(logPath));
  // The theme is in the prefix, where the log says it was copied.
  std::string destination;
  for (size_t at = 0, end; (end = log.find("\r\n", at)) != std::string::npos; at = end + 2) {
    const std::string line = log.substr(at, end - at);
    const std::string copied = "Copied file: ";
    if (line.compare(0, copied.size(), copied) == 0 && line.size() > copied.size() + 9 &&
        line.compare(line.size() - 9, 9, "\\blue.css") == 0) {
      destination = line.substr(copied.size());
    }
  }
  ASSERT_FALSE(destination.empty()) << log;
  EXPECT_EQ(ReadHostFile(prefix.HostPath(destination)), "body { color: navy }\r\n") << destination;
  EXPECT_TRUE(Contains(log, "User accepted licence\r\n")) << log;
  EXPECT_TRUE(Contains(log, "The installation was successfully completed.\r\n")) << log;
}

TEST(ConsoleProgram, ClosedInputCancelsAndEndsWithoutColourUnderNoColor) {
  TempDir tmp;
  PrefixBuilder prefix(tmp.path() + "/prefix");
  prefix.AddFrontPage(2, "C:\\Program Files\\Microsoft Office\\Office10");
  prefix.Write();
  const std::string kit = tmp.path() + "/kit";
  WriteHostFile(kit + "/common/Themes/blue/blue.inf", "title=Blue\r\nversion=1\r\n");

  TerminalSession user(TPLSETUP_BIN, {"--kit", kit, "--prefix", prefix.root()},
                       {"TERM=xterm", "NO_COLOR=1", "PAGER="});
  ASSERT_TRUE(user.started());
  ASSERT_TRUE(user.WaitFor(kPrompt)) << user.Screen();
  EXPECT_FALSE(Contains(user.Screen(), "\x1b[1m")) << user.Screen();
  user.Type("\x04");  // Ctrl-D: the end of the input
  EXPECT_EQ(user.WaitForExit(), 2) << user.SinceTyped();
  EXPECT_TRUE(Contains(user.SinceTyped(), "Installation cancelled.")) << user.SinceTyped();
}

#else

TEST(ConsoleProgram, ANewUserInstallsAKitFromTheFirstScreenToTheEndScreen) {
  GTEST_SKIP() << "this build has no tplsetup program";
}

#endif

}  // namespace
}  // namespace tpl::test
