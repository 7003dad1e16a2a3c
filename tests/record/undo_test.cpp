// Installing with a record, then taking the installation out again: what the
// user had before comes back byte for byte, what the user changed since
// stays, and a record that points anywhere else is refused whole.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>

#include "app/program.h"
#include "record/uninstall.h"
#include "support/wizard_fixture.h"

namespace tpl::test {
namespace {

namespace fs = std::filesystem;

const std::string kThemes = "C:\\users\\tester\\AppData\\Roaming\\Microsoft\\Themes\\";
const char kRecord[] = "C:\\Program Files\\Common Files\\tplsetup\\records\\kit.record";

struct Outcome { int status = -1; std::string out, err; };

class Undo : public ::testing::Test {
 protected:
  // A kit of two themes for FrontPage 2003; the user already has an edited
  // blue.css of their own, dated 2001.
  void SetUp() override {
    f.Kit("common/Themes/blue/blue.css", "body { color: blue }\r\n");
    f.Kit("common/Themes/blue/blue.inf", "title=Blue\r\n");
    f.Kit("common/Themes/green/green.css", "body { color: green }\r\n");
    f.prefix.AddFrontPage(3, "C:\\Program Files\\Microsoft Office\\OFFICE11");
    f.prefix.AddFile(kThemes + "blue\\blue.css", "mine, edited");
    const std::string mine = f.HostPath(kThemes + "blue\\blue.css");
    fs::last_write_time(mine, fs::last_write_time(mine) - std::chrono::hours(24 * 365 * 20));
    f.Start();
  }

  Outcome Program(std::vector<std::string> args) {
    CommandLine options;
    std::string error;
    EXPECT_TRUE(ParseCommandLine(args, &options, &error)) << error;
    options.kitKey = "kit";
    std::ostringstream out, err;
    const int status = options.uninstall ? RunUninstall(f.machine(), options, nullptr, out, err)
                                         : RunWizard(f.machine(), options, nullptr, out, err);
    return {status, out.str(), err.str()};
  }
  Outcome Install() { return Program({"--silent", "--accept-licence"}); }
  Outcome Uninstall() { return Program({"--silent", "--uninstall", "--record", "kit"}); }

  std::map<std::string, std::string> DriveC() { return HostTreeState(f.HostPath("C:\\")); }
  std::string Read(const std::string& windowsPath) { return ReadHostFile(f.HostPath(windowsPath)); }

  WizardFixture f;
};

TEST_F(Undo, InstallingTwiceThenUninstallingKeepsEditsAndLeavesDriveCAsItWas) {
  const auto before = DriveC();
  ASSERT_EQ(Install().status, kExitInstalled);
  // Over its own files: the backup kept is still the user's file.
  ASSERT_EQ(Install().status, kExitInstalled);
  EXPECT_EQ(Read(kThemes + "blue\\blue.css"), "body { color: blue }\r\n");

  // A file edited since it was installed is kept; the rest goes, the user's blue.css comes back.
  WriteHostFile(f.HostPath(kThemes + "green\\green.css"), "edited by the user");
  const Outcome undo = Uninstall();
  EXPECT_EQ(undo.status, kExitFailed);
  EXPECT_NE(undo.out.find("Kept " + kThemes + "green\\green.css"), std::string::npos) << undo.out;
  EXPECT_EQ(Read(kThemes + "green\\green.css"), "edited by the user");
  EXPECT_FALSE(fs::exists(f.HostPath(kThemes + "blue\\blue.inf")));
  const std::string log = Read("C:\\users\\tester\\Temp\\tplsetup.log");
  EXPECT_NE(log.find("Restored file: " + kThemes + "blue\\blue.css\r\n"), std::string::npos) << log;
  // The record now holds only the kept file: once the user takes it back to
  // what was installed, it goes too.
  WriteHostFile(f.HostPath(kThemes + "green\\green.css"), "body { color: green }\r\n");
  EXPECT_EQ(Uninstall().status, kExitInstalled);
  EXPECT_NE(Read("C:\\users\\tester\\Temp\\tplsetup.log").find("\r\nUninstall completed.\r\n"),
            std::string::npos);
  EXPECT_EQ(DriveC(), before);  // the user's blue.css with its date; no record, no folders
  const Outcome again = Uninstall();
  EXPECT_EQ(again.status, kExitFailed);
  EXPECT_EQ(again.err, "tplsetup: nothing is recorded for kit\n");
}

// A file of the kit's that the user edited between two installations is no
// longer the kit's own: the second one keeps the edit, and the undo brings it back.
TEST_F(Undo, AnEditBetweenInstallationsIsKeptAsABackup) {
  const std::string green = kThemes + "green\\green.css";
  ASSERT_EQ(Install().status, kExitInstalled);
  WriteHostFile(f.HostPath(green), "edited between the two");
  ASSERT_EQ(Install().status, kExitInstalled);
  EXPECT_EQ(Read(green), "body { color: green }\r\n");
  EXPECT_EQ(Uninstall().status, kExitInstalled);
  EXPECT_EQ(Read(green), "edited between the two");
}

TEST_F(Undo, AFailedInstallationNamesItsUndoOrIsUndoneAtOnce) {
  // A file stands where the second theme's folder goes: the copy fails there.
  WriteHostFile(f.HostPath(kThemes + "green"), "in the way");
  const auto before = DriveC();
  const Outcome failed = Install();
  EXPECT_EQ(failed.status, kExitFailed);
  EXPECT_NE(failed.err.find("tplsetup: to undo what was copied: tplsetup --uninstall --record kit\n"),
            std::string::npos) << failed.err;

  const Outcome undone = Program({"--silent", "--accept-licence", "--undo-on-failure"});
  EXPECT_EQ(undone.status, kExitFailed);
  EXPECT_EQ(undone.err.find("to undo what was copied"), std::string::npos);
  EXPECT_EQ(DriveC(), before);  // both runs' copies undone
}

// Asked first, an interactive uninstall shows its progress once confirmed, up to its last file.
TEST_F(Undo, TheProgressIsShownOnceConfirmedUpToTheLastFile) {
  ASSERT_EQ(Install().status, kExitInstalled);
  struct Steps : UninstallProgress {
    explicit Steps(std::string* out) : seen(out) {}
    void Update(int done, int total) override {
      *seen += std::to_string(done) + "/" + std::to_string(total) + " ";
    }
    std::string* seen;
  };
  std::string seen;
  UninstallRequest request;
  request.key = "kit";
  request.showProgress = [&seen](const std::string& caption) {
    seen += caption + ": ";
    return std::make_unique<Steps>(&seen);
  };
  std::ostringstream out, err;
  for (const bool confirmed : {false, true}) {
    request.confirm = [confirmed](const std::string&) { return confirmed; };
    EXPECT_EQ(tpl::Uninstall(f.machine(), f.ui, request, out, err),
              confirmed ? kExitInstalled : kExitCancelled);
  }
  EXPECT_EQ(seen, "Uninstalling kit: 1/3 2/3 3/3 ");
}

// A record is input: any line it cannot vouch for refuses the whole of it.
TEST_F(Undo, ARecordWithALineItCannotVouchForIsRefusedWhole) {
  ASSERT_EQ(Install().status, kExitInstalled);
  const std::string good = Read(kRecord), digest(32, 'a'), system = "C:\\windows\\system.ini";
  f.prefix.AddFile(system, "[boot]");
  const std::string lines[] = {
      "file new 6 " + digest + " \"" + system + "\"",                       // outside
      "file new 6 " + digest + " \"" + kThemes + "..\\..\\x.ini\"",        // ..
      "file new 6 " + digest + " \"C:\\users\\tester\\AppData\\Roaming\\Microsoft\\Themes2\\a.css\"",
      "file new 6 " + digest + " \"" + kThemes + "blue\\bl",               // cut short
      "file new 6 " + digest.substr(1) + " \"" + kThemes + "a.css\"",      // digest
      "folder \"C:\\windows\"",                                             // outside
      "run 2026-01-01 10:00:00 2003 - " + digest + " \"other\"",            // other kit
      "garbage",
  };
  for (const std::string& line : lines) {
    WriteHostFile(f.HostPath(kRecord), good + line + "\n");
    const auto crafted = DriveC();
    const Outcome undo = Uninstall();
    EXPECT_EQ(undo.status, kExitFailed) << line;
    EXPECT_NE(undo.err.find("is refused, nothing was removed: line "), std::string::npos) << undo.err;
    EXPECT_NE(undo.err.find(line), std::string::npos) << undo.err;
    EXPECT_EQ(DriveC(), crafted) << line;
  }
  WriteHostFile(f.HostPath(kRecord), good);
  EXPECT_EQ(Uninstall().status, kExitInstalled);
  EXPECT_EQ(Read(system), "[boot]");
}

}  // namespace
}  // namespace tpl::test
