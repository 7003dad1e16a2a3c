// The installation log as it lands on disk: head, events, closing line,
// where it goes, and when nothing is written at all.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/wizard_fixture.h"

namespace tpl {
namespace {

using test::ReadHostFile;
using test::WizardFixture;

const char kTitle[] = "tplsetup 1.0";
const char kNotice[] =
    "Installs themes and templates for Microsoft FrontPage 98, 2000, 2002 and 2003";

LocalTime At(int year, int month, int day, int hour, int minute, int second) {
  LocalTime t;
  t.year = year;
  t.month = month;
  t.day = day;
  t.hour = hour;
  t.minute = minute;
  t.second = second;
  return t;
}

TEST(InstallationLog, HeadEventsAndClosingLineAreExactBytes) {
  WizardFixture f;
  f.Start();
  f.machine().SetNow(At(2003, 12, 31, 23, 59, 59));
  f.wizard().m_bLogEnabled = true;
  f.wizard().OpenLog();
  ASSERT_TRUE(f.wizard().m_bLogEnabled);
  f.wizard().LogLine("\nCurrently Installing Theme for FrontPage 2002");
  f.machine().SetNow(At(2004, 1, 5, 7, 3, 9));
  f.wizard().LogLine("Installation cancelled.");
  f.wizard().CloseLog();

  const std::string expected = std::string(kTitle) + "\r\n" + kNotice +
                               "\r\n"
                               "Log file opened on 31-Dec-2003 at 23:59:59\r\n"
                               "Operating system: Windows NT/2000/XP V6.1 Service Pack 1\r\n"
                               "User name: tester\r\n"
                               "Windows folder: C:\\windows\r\n"
                               "\r\n"
                               "Currently Installing Theme for FrontPage 2002\r\n"
                               "Installation cancelled.\r\n"
                               "Log file closed on 05-Jan-2004 at 07:03:09\r\n"
                               "\r\n";
  EXPECT_EQ(f.LogBytes(), expected);
  EXPECT_FALSE(f.wizard().m_bLogEnabled);
  EXPECT_EQ(f.wizard().m_strLogPath, "C:\\users\\tester\\Temp\\tplsetup.log");
}

TEST(InstallationLog, FolderComesFromTheRegistryThenTheTempPath) {
  const std::string key =
      "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\VolumeCaches\\Temporary files";
  {
    WizardFixture f;
    f.prefix.SetExpandString(RegRoot::kLocalMachine, key, "folder", "%SystemRoot%\\TEMP\\");
    f.StartLogged();
    EXPECT_EQ(f.wizard().m_strLogPath, "C:\\windows\\TEMP\\tplsetup.log");
  }
  {
    WizardFixture f;  // an empty value falls back to the temp path
    f.prefix.SetString(RegRoot::kLocalMachine, key, "folder", "");
    f.prefix.SetString(RegRoot::kCurrentUser, "Environment", "TMP", "C:\\TEMP\\");
    f.prefix.AddFolder("C:\\TEMP");
    f.StartLogged();
    EXPECT_EQ(f.wizard().m_strLogPath, "C:\\TEMP\\tplsetup.log");
  }
  {
    WizardFixture f;  // refused: the privilege box, and the log still goes to the temp path
    f.Start();
    f.machine().FailOpenKey("Software\\Microsoft\\" + std::string(
                                "Windows\\CurrentVersion\\Explorer\\VolumeCaches\\Temporary files"),
                            kErrorAccessDenied);
    f.wizard().m_bLogEnabled = true;
    f.wizard().OpenLog();
    EXPECT_EQ(f.wizard().m_strLogPath, "C:\\users\\tester\\Temp\\tplsetup.log");
    ASSERT_EQ(f.ui.messageBoxes().size(), 1u);
    EXPECT_EQ(f.ui.messageBoxes()[0].text,
              "You do not have sufficient privilege.\nPlease log on as an Administrator.");
  }
}

TEST(InstallationLog, AFileThatCannotBeCreatedOrIsALinkTurnsLoggingOffSilently) {
  for (const bool link : {false, true}) {
    WizardFixture f;
    const std::string victim = f.tmp.path() + "/victim.txt";
    const std::string log = f.HostPath("C:\\users\\tester\\Temp\\tplsetup.log");
    test::WriteHostFile(victim, "keep me");
    if (link) std::filesystem::create_symlink(victim, log);
    if (!link) test::MakeHostFolders(log);  // a folder where the file goes
    f.StartLogged();
    EXPECT_FALSE(f.wizard().m_bLogEnabled) << link;
    f.wizard().LogLine("lost");  // no crash, nothing written
    EXPECT_EQ(ReadHostFile(victim), "keep me");
    EXPECT_TRUE(f.ui.messageBoxes().empty());
  }
}

TEST(SystemFacts, FailuresLeaveDefaults) {
  {
    WizardFixture f;
    f.prefix.Write();
    // Faults must be in place before the dialog opens: build the machine by hand.
    auto real = MakeWinePrefixMachine({f.prefix.root(), f.kitDir, "tester"});
    ASSERT_NE(real, nullptr);
    test::TestMachine machine(*real);
    machine.FailOsVersion(kErrorInvalidParameter);
    machine.FailUserName(kErrorAccessDenied);
    CWizardDlg wizard(machine, f.ui);
    MemoryDialog controls(*FindDialogTemplate(kIddWizard));
    controls.Attach(wizard);
    wizard.OnInitDialog();
    ASSERT_EQ(f.ui.messageBoxes().size(), 1u);
    EXPECT_EQ(f.ui.messageBoxes()[0].text,
              "Failed to get system information: \nReason: (87) The parameter is incorrect.\r\n");
    EXPECT_EQ(f.ui.messageBoxes()[0].type, kMbIconExclamation);
    EXPECT_EQ(wizard.m_strUserName, "");
    wizard.m_bLogEnabled = true;
    wizard.OpenLog();
    wizard.CloseLog();
    const auto lines = test::MaskedLogLines(
        ReadHostFile(f.prefix.HostPath(wizard.m_strLogPath)));
    ASSERT_GE(lines.size(), 5u);
    EXPECT_EQ(lines[3], "Operating system: Unsupported V0.0 ");
    EXPECT_EQ(lines[4], "User name: ");
  }
}

}  // namespace
}  // namespace tpl
