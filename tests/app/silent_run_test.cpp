// Silent and dry runs through RunWizard on a test machine: the answers taken
// from the options, what goes to standard output and standard error, the
// exit statuses, and the runs that must stop before anything is copied.
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "app/program.h"
#include "app/silent_answers.h"
#include "app/wizard_app.h"
#include "res/strings.h"
#include "support/wizard_fixture.h"

namespace tpl::test {
namespace {

const char kOffice10[] = "C:\\Program Files\\Microsoft Office\\Office10";
const char kOffice11[] = "C:\\Program Files\\Microsoft Office\\OFFICE11";
const char kTemplates[] = "C:\\Program Files\\Microsoft Office\\templates";
const char kRoaming[] = "C:\\users\\tester\\AppData\\Roaming";
const char kLogPath[] = "C:\\users\\tester\\Temp\\tplsetup.log";

struct RunResult {
  int status = -1;
  std::string out, err;
};

class SilentRun : public ::testing::Test {
 protected:
  void SetUp() override {
    f.Kit("common/Themes/blue/blue.inf", "title=Blue\r\nversion=1.5\r\n");
    f.Kit("common/Pages/welcome/welcome.htm", "<html></html>\r\n");
    f.Kit("common/dwts/page/page.dwt", "<html></html>\r\n");
    f.Kit("license.txt", "Terms.\r\n");
    f.Kit("readme.txt", "Read me.\r\n");
  }
  void TwoVersions(bool current = true) {
    f.prefix.AddFrontPage(2, kOffice10).AddFrontPage(3, kOffice11);
    if (current) f.prefix.SetCurrentFrontPage(kOffice11);
    Languages({"1033"});
  }
  void Languages(const std::vector<std::string>& lcids) {
    for (const std::string& lcid : lcids) f.prefix.AddFolder(std::string(kTemplates) + "\\" + lcid);
  }
  RunResult Silent(std::vector<std::string> args) {
    args.insert(args.begin(), "--silent");
    CommandLine options;
    std::string error;
    EXPECT_TRUE(ParseCommandLine(args, &options, &error)) << error;
    if (!started_) Start();
    std::ostringstream out, err;
    RunResult run;
    run.status = RunWizard(f.machine(), options, nullptr, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
  }
  // Builds the machine now, so that a test can set faults before the run.
  void Start() {
    f.Start();
    started_ = true;
  }
  std::vector<std::string> Log() { return MaskedLogLines(ReadHostFile(f.HostPath(kLogPath))); }
  bool LogHas(const std::string& line) {
    const std::vector<std::string> log = Log();
    return std::find(log.begin(), log.end(), line) != log.end();
  }

  WizardFixture f;

 private:
  bool started_ = false;
};

TEST_F(SilentRun, InstallsWithTheAnswersGivenAndPrintsTheEndScreen) {
  TwoVersions();
  const RunResult run = Silent({"--accept-licence", "--versions", "2002,2003"});
  EXPECT_EQ(run.status, kExitInstalled);
  EXPECT_EQ(run.out,
            "The installation was successfully completed.\n"
            "Log file written to C:\\users\\tester\\Temp\\tplsetup.log\n\n"
            "Create a new starter web site using the web template:\n"
            "FP 2002: Go to File > New > Page or Web. Click on \"Web Site Templates\" in the "
            "right column.\n"
            "FP 2003: Go to File > New. Click on \"More Web Site Templates\" in the right column.  "
            "This template is listed under the \"My Templates\" tab\n");
  // Ticking FrontPage 2002 shows no note; FrontPage 2003 was preselected.
  EXPECT_EQ(run.err, "");
  EXPECT_TRUE(LogHas("User chose to install for FrontPage 2002 2003"));
  EXPECT_TRUE(LogHas("User accepted licence"));
  EXPECT_FALSE(ListHostTree(f.HostPath(std::string(kTemplates) + "\\1033\\DWTs")).empty());
  EXPECT_FALSE(ListHostTree(f.HostPath(std::string(kTemplates) + "\\1033\\pages")).empty());
  // Nobody watches a silent run: its pauses are skipped.
  EXPECT_TRUE(f.machine().pauses().empty());
}

TEST_F(SilentRun, AnswersNeverOpenTheReadme) {
  f.prefix.AddFrontPage(2, kOffice10);
  Languages({"1033"});
  Start();
  CommandLine options;
  options.silent = options.acceptLicence = true;
  std::ostringstream out;
  SilentAnswers answers(options, out);
  answers.Install(f.ui);
  CWizardApp app(f.machine(), f.ui);
  app.InitInstance();
  EXPECT_EQ(app.m_nEndScreenId, kIdsSucceeded);
  EXPECT_TRUE(f.ui.LastRun(kIddWizard)->Peer(kIdcViewReadme)->IsVisible());  // it was offered
  EXPECT_TRUE(f.ui.openedFiles().empty());
  EXPECT_EQ(f.machine().pauses(), std::vector<uint32_t>{500});  // the copy's, not Notepad's
  EXPECT_TRUE(answers.error().empty());
}

TEST_F(SilentRun, VersionsTickExactlyThoseAndTickingFrontPage2003ShowsItsNote) {
  TwoVersions(/*current=*/false);
  const RunResult run = Silent({"--accept-licence", "--versions", "2003"});
  EXPECT_EQ(run.status, kExitInstalled);
  EXPECT_EQ(run.err,
            "This option will install the template under the 'My Templates' tab in FrontPage "
            "2003\n");
  EXPECT_TRUE(LogHas("User chose to install for FrontPage 2003"));
  EXPECT_FALSE(LogHas("2002 selected"));
  EXPECT_TRUE(ListHostTree(f.HostPath(std::string(kTemplates) + "\\1033")).size() == 1u);
}

TEST_F(SilentRun, VersionNotFoundStopsBeforeCopying) {
  TwoVersions();
  const RunResult run = Silent({"--accept-licence", "--versions", "98,2003"});
  EXPECT_EQ(run.status, kExitUsage);
  EXPECT_NE(run.err.find("FrontPage 98 is not offered"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("2002 and 2003"), std::string::npos) << run.err;
  EXPECT_EQ(f.machine().copies(), 0);
  EXPECT_EQ(run.out.rfind("Installation cancelled.", 0), 0u);
}

TEST_F(SilentRun, NoPreselectionAndNoVersionsEndsInsteadOfAskingForever) {
  TwoVersions(/*current=*/false);
  const RunResult run = Silent({"--accept-licence"});
  EXPECT_EQ(run.status, kExitUsage);
  EXPECT_NE(run.err.find("--versions"), std::string::npos) << run.err;
  EXPECT_EQ(f.machine().copies(), 0);
  const std::vector<std::string> log = Log();
  ASSERT_GE(log.size(), 3u);
  EXPECT_EQ(log[log.size() - 3], "Installation cancelled.");
}

TEST_F(SilentRun, KitWithoutLicenceNeedsNoAcceptance) {
  std::remove((f.kitDir + "/license.txt").c_str());
  f.prefix.AddFrontPage(2, kOffice10);
  Languages({"1033"});
  const RunResult run = Silent({"--no-log"});
  EXPECT_EQ(run.status, kExitInstalled);
  EXPECT_EQ(run.out.find("Log file written to"), std::string::npos);
  EXPECT_FALSE(HostPathExists(f.HostPath(kLogPath)));
  EXPECT_EQ(ListHostTree(f.HostPath(kTemplates)),
            std::vector<std::string>{"1033/pages/welcome/welcome.htm"});
}

TEST_F(SilentRun, LanguageAnswerPicksTheComboItem) {
  f.prefix.AddFrontPage(2, kOffice10);
  Languages({"1033", "1031", "1036"});
  const RunResult run = Silent({"--accept-licence", "--language", "1036"});
  EXPECT_EQ(run.status, kExitInstalled);
  EXPECT_TRUE(LogHas("User chose to install for language LCID 1036"));
  EXPECT_EQ(ListHostTree(f.HostPath(kTemplates)),
            std::vector<std::string>{"1036/pages/welcome/welcome.htm"});
}

TEST_F(SilentRun, WithoutLanguageTheFirstItemIsTaken) {
  f.prefix.AddFrontPage(2, kOffice10);
  Languages({"1033", "1031"});
  const RunResult run = Silent({"--accept-licence"});
  EXPECT_EQ(run.status, kExitInstalled);
  EXPECT_TRUE(LogHas("User chose to install for language LCID 1031"));  // listed first
}

TEST_F(SilentRun, LanguageNotOfferedStopsBeforeCopyingAndNamesTheOffered) {
  f.prefix.AddFrontPage(2, kOffice10);
  Languages({"1033", "1031"});
  const RunResult run = Silent({"--accept-licence", "--language", "1036"});
  EXPECT_EQ(run.status, kExitUsage);
  EXPECT_NE(run.err.find("1036 is not offered"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("German (1031) and English (1033)"), std::string::npos) << run.err;
  EXPECT_EQ(f.machine().copies(), 0);
  EXPECT_TRUE(LogHas("User cancelled installation"));
  EXPECT_FALSE(LogHas("User accepted licence"));
}

TEST_F(SilentRun, LanguageIsIgnoredWhenNotAsked) {
  f.prefix.AddFrontPage(2, kOffice10);
  Languages({"1033"});
  const RunResult run = Silent({"--accept-licence", "--language", "1031"});
  EXPECT_EQ(run.status, kExitInstalled);
  EXPECT_EQ(run.err, "");
}

TEST_F(SilentRun, CopyFailureIsReportedAndEndsWithOne) {
  f.prefix.AddFrontPage(2, kOffice10);
  Languages({"1033"});
  Start();
  const std::string failing = std::string(kTemplates) + "\\1033\\pages\\welcome\\welcome.htm";
  f.machine().FailCopy(failing, 5);
  const RunResult run = Silent({"--accept-licence"});
  EXPECT_EQ(run.status, kExitFailed);
  EXPECT_EQ(run.err, "File copy failed:: " + failing + "\nReason: (5) Access is denied.\r\n\n");
  EXPECT_EQ(run.out.rfind("Installation failed. Please check the log file.\n", 0), 0u);
}

TEST_F(SilentRun, DryRunShowsThePlanAndCopiesNothing) {
  TwoVersions();
  f.prefix.Write();
  const std::vector<std::string> before = ListHostTree(f.prefix.root());
  const RunResult run = Silent({"--accept-licence", "--versions", "2002,2003", "--dry-run"});
  EXPECT_EQ(run.status, kExitInstalled);
  EXPECT_EQ(f.machine().copies(), 0);
  std::vector<std::string> after = ListHostTree(f.prefix.root());
  after.erase(std::remove(after.begin(), after.end(), "drive_c/users/tester/Temp/tplsetup.log"),
              after.end());
  EXPECT_EQ(after, before);

  // Each row that would run, with its destination and file count.
  EXPECT_NE(run.out.find("\nFrontPage 2002:\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("\n  Copying common themes to C:\\Program Files\\Common Files\\"
                         "Microsoft Shared\\themes  (1 file)\n"),
            std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("\n  Copying common 2003 page templates to " + std::string(kTemplates) +
                         "\\1033\\pages11  (1 file)\n"),
            std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("\nFrontPage 2003:\n"), std::string::npos);
  EXPECT_NE(run.out.find("\n  Copying common profile dwt templates to " + std::string(kRoaming) +
                         "\\Microsoft\\FrontPage\\DWTs  (1 file)\n"),
            std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("\n  Copying version-specific themes to " + std::string(kRoaming) +
                         "\\Microsoft\\Themes  (0 files)\n"),
            std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("Log file written to " + std::string(kLogPath)), std::string::npos);

  const std::vector<std::string> log = Log();
  ASSERT_GE(log.size(), 4u);
  EXPECT_EQ(std::vector<std::string>(log.end() - 4, log.end() - 1),
            (std::vector<std::string>{"Dry run: nothing was copied", "Installation cancelled.",
                                      "Log file closed on DD-Mon-YYYY at HH:MM:SS"}));
  EXPECT_FALSE(LogHas("Counting files..."));
}

TEST_F(SilentRun, DryRunThatIsRefusedIsStillCancelled) {
  f.prefix.AddFrontPage(2, kOffice10);
  Languages({"1033"});
  const RunResult run = Silent({"--dry-run"});
  EXPECT_EQ(run.status, kExitCancelled);
  EXPECT_EQ(run.out.find("Dry run"), std::string::npos);
}

}  // namespace
}  // namespace tpl::test
