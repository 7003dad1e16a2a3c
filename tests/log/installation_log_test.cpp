// The installation log as it lands on disk (head, events, closing line, where
// it goes, when nothing is written at all), the system facts of its head, and
// the report of a failed system call.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/wizard_fixture.h"

namespace tpl::test {
namespace {

// The whole log, its times masked, is compared in the scenarios: here the times.
TEST(InstallationLog, OpeningAndClosingTimesAndTheLineEnds) {
  WizardFixture f;
  f.Start();
  f.machine().SetNow(LocalTime{2003, 12, 31, 23, 59, 59});
  f.wizard().m_bLogEnabled = true;
  f.wizard().OpenLog();
  f.wizard().LogLine("\nCurrently Installing Theme");
  f.machine().SetNow(LocalTime{2004, 1, 5, 7, 3, 9});
  f.wizard().CloseLog();
  const std::string log = f.LogBytes();
  EXPECT_NE(log.find("\r\nLog file opened on 31-Dec-2003 at 23:59:59\r\n"), std::string::npos) << log;
  EXPECT_EQ(log.substr(log.find("\r\n\r\nCurrently")), "\r\n\r\nCurrently Installing Theme\r\n"
            "Log file closed on 05-Jan-2004 at 07:03:09\r\n\r\n");
  EXPECT_FALSE(f.wizard().m_bLogEnabled);
}

TEST(InstallationLog, FolderComesFromTheRegistryThenTheTempPath) {
  const std::string key =
      "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\VolumeCaches\\Temporary files";
  // The cache folder's value ("" or refused: none) -> the log's path.
  const struct { const char* folder; bool refused; std::string path; } cases[] = {
      {"%SystemRoot%\\TEMP\\", false, "C:\\windows\\TEMP\\tplsetup.log"},
      {"", false, "C:\\TEMP\\tplsetup.log"}, {"C:\\TEMP", true, "C:\\TEMP\\tplsetup.log"},
  };
  for (const auto& c : cases) {
    WizardFixture f;
    f.prefix.SetExpandString(RegRoot::kLocalMachine, key, "folder", c.folder);
    f.prefix.SetString(RegRoot::kCurrentUser, "Environment", "TMP", "C:\\TEMP\\");
    f.prefix.AddFolder("C:\\TEMP").AddFolder("C:\\windows\\TEMP");
    f.Start();
    if (c.refused) f.machine().FailOpenKey(key, kErrorAccessDenied);
    f.wizard().m_bLogEnabled = true;
    f.wizard().OpenLog();
    EXPECT_EQ(f.wizard().m_strLogPath, c.path) << c.folder;
    EXPECT_TRUE(std::filesystem::exists(f.HostPath(c.path))) << c.folder;
  }
}

// (A link in its place is refused by the machine: see its log file test.)
TEST(InstallationLog, AFileThatCannotBeCreatedTurnsLoggingOffSilently) {
  WizardFixture f;
  MakeHostFolders(f.HostPath("C:\\users\\tester\\Temp\\tplsetup.log"));  // a folder in its place
  f.StartLogged();
  EXPECT_FALSE(f.wizard().m_bLogEnabled);
  f.wizard().LogLine("lost");  // no crash
  EXPECT_TRUE(f.ui.messageBoxes().empty());
}

// Fails the system facts; its system text for one code is longer than any
// small buffer, and for another there is none.
class FailingFactsMachine : public TestMachine {
 public:
  using TestMachine::TestMachine;
  std::string SystemMessage(ErrorCode code) override {
    if (code == 0xE0000001u) return std::string(300, 'x') + "\r\n";
    if (code == 9999) return "";
    return TestMachine::SystemMessage(code);
  }
};

TEST(SystemFacts, FailuresLeaveDefaultsAndEveryReportShowsTheWholeTextAndTheSignedCode) {
  WizardFixture f;
  f.Start();
  FailingFactsMachine machine(f.machine());
  machine.FailOsVersion(kErrorInvalidParameter);
  machine.FailUserName(kErrorAccessDenied);
  CWizardDlg wizard(machine, f.ui);  // a fresh wizard, as it opens
  wizard.GatherSystemInfo();
  wizard.m_bLogEnabled = true;
  wizard.OpenLog();
  wizard.ReportSystemError("File copy failed:", "C:\\a.txt", 0xE0000001u);
  wizard.ReportSystemError("File copy failed:", "C:\\b.txt", 9999);
  wizard.CloseLog();

  const auto lines = MaskedLogLines(ReadHostFile(f.prefix.HostPath(wizard.m_strLogPath)));
  ASSERT_GE(lines.size(), 5u);
  EXPECT_EQ(lines[3], "Operating system: Unsupported V0.0 ");
  EXPECT_EQ(lines[4], "User name: ");
  const std::string texts[] = {
      "Failed to get system information: \nReason: (87) The parameter is incorrect.\r\n",
      "File copy failed:: C:\\a.txt\nReason: (-536870911) " + std::string(300, 'x') + "\r\n",
      "File copy failed:: C:\\b.txt\nReason: (9999) "};
  ASSERT_EQ(f.ui.messageBoxes().size(), 3u);
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(f.ui.messageBoxes()[i].text, texts[i]);
    EXPECT_EQ(f.ui.messageBoxes()[i].type, kMbIconExclamation);
  }
}

}  // namespace
}  // namespace tpl::test
