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
const char kLogPath[] = "C:\\users\\tester\\Temp\\tplsetup.log";
const char kNote2003[] =
    "This option will install the template under the 'My Templates' tab in FrontPage 2003\n";

enum Versions { k2002, k2002And2003, k2002And2003NoneCurrent };

struct RunResult {
  int status = -1;
  std::string out, err;
};

struct SilentMachine {
  // A kit with a licence and a readme on a machine with `versions` and
  // Office language folders `lcids`; the machine is built at once, so that
  // a test can set faults before the run.
  void Prepare(Versions versions, const std::vector<std::string>& lcids = {"1033"},
               bool licence = true) {
    f.Kit("common/Themes/blue/blue.inf", "title=Blue\r\nversion=1.5\r\n");
    f.Kit("common/Pages/welcome/welcome.htm", "<html></html>\r\n");
    f.Kit("common/dwts/page/page.dwt", "<html></html>\r\n");
    if (licence) f.Kit("license.txt", "Terms.\r\n");
    f.Kit("readme.txt", "Read me.\r\n");
    f.prefix.AddFrontPage(2, kOffice10);
    if (versions != k2002) f.prefix.AddFrontPage(3, kOffice11);
    if (versions == k2002And2003) f.prefix.SetCurrentFrontPage(kOffice11);
    for (const std::string& lcid : lcids) f.prefix.AddFolder(std::string(kTemplates) + "\\" + lcid);
    f.Start();
  }
  RunResult Silent(std::vector<std::string> args) {
    args.insert(args.begin(), "--silent");
    CommandLine options;
    std::string error;
    EXPECT_TRUE(ParseCommandLine(args, &options, &error)) << error;
    std::ostringstream out, err;
    RunResult run;
    run.status = RunWizard(f.machine(), options, nullptr, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
  }
  std::vector<std::string> Log() { return MaskedLogLines(ReadHostFile(f.HostPath(kLogPath))); }
  bool LogHas(const std::string& line) {
    const std::vector<std::string> log = Log();
    return std::find(log.begin(), log.end(), line) != log.end();
  }

  WizardFixture f;
};

class SilentRun : public ::testing::Test, public SilentMachine {};

// Each answer, each run that stops before copying, and a failed copy. The
// whole of standard error is compared unless `errHas` names pieces of it.
TEST(SilentRuns, EachAnswerAndEachStop) {
  const std::string page = "/pages/welcome/welcome.htm", accept = "--accept-licence";
  const std::string failing = std::string(kTemplates) + "\\1033\\pages\\welcome\\welcome.htm";
  const struct Case {
    Versions versions;
    std::vector<std::string> lcids, args;
    int status;
    std::string err;
    std::vector<std::string> errHas;
    std::string logHas, outStarts, outLacks;
    std::vector<std::string> installed;  // below kTemplates
    bool licence = true, failCopy = false;
  } cases[] = {
      {k2002And2003NoneCurrent, {"1033"}, {accept, "--versions", "2003"}, kExitInstalled, kNote2003,
       {}, "User chose to install for FrontPage 2003", "", "", {"1033/DWTs/page/page.dwt"}},
      {k2002And2003, {"1033"}, {accept, "--versions", "98,2003"}, kExitUsage, "",
       {"FrontPage 98 is not offered", "2002 and 2003"}, "", "Installation cancelled.", "", {}},
      {k2002And2003NoneCurrent, {"1033"}, {accept}, kExitUsage, "", {"--versions"},
       "Installation cancelled.", "", "", {}},
      {k2002, {"1033"}, {"--no-log"}, kExitInstalled, "", {}, "", "", "Log file written to",
       {"1033" + page}, /*licence=*/false},
      {k2002, {"1033", "1031", "1036"}, {accept, "--language", "1036"}, kExitInstalled, "", {},
       "User chose to install for language LCID 1036", "", "", {"1036" + page}},
      {k2002, {"1033", "1031"}, {accept}, kExitInstalled, "", {},  // the first item: German
       "User chose to install for language LCID 1031", "", "", {"1031" + page}},
      {k2002, {"1033", "1031"}, {accept, "--language", "1036"}, kExitUsage, "",
       {"1036 is not offered", "German (1031) and English (1033)"}, "User cancelled installation",
       "", "", {}},
      {k2002, {"1033"}, {accept, "--language", "1031"}, kExitInstalled, "", {},  // not asked
       "User accepted licence", "", "", {"1033" + page}},
      {k2002, {"1033"}, {accept}, kExitFailed,
       "File copy failed:: " + failing + "\nReason: (5) Access is denied.\r\n\n", {}, "",
       "Installation failed. Please check the log file.\n", "", {}, true, /*failCopy=*/true},
      {k2002, {"1033"}, {"--dry-run"}, kExitCancelled, "", {}, "User rejected licence",
       "Installation cancelled.", "Dry run", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.args));
    SilentMachine m;
    m.Prepare(c.versions, c.lcids, c.licence);
    if (c.failCopy) m.f.machine().FailCopy(failing, 5);
    const RunResult run = m.Silent(c.args);
    EXPECT_EQ(run.status, c.status);
    EXPECT_TRUE(!c.errHas.empty() || run.err == c.err) << run.err;
    for (const std::string& piece : c.errHas) {
      EXPECT_NE(run.err.find(piece), std::string::npos) << run.err;
    }
    EXPECT_TRUE(c.logHas.empty() || m.LogHas(c.logHas)) << c.logHas;
    EXPECT_EQ(run.out.rfind(c.outStarts, 0), 0u) << run.out;
    EXPECT_TRUE(c.outLacks.empty() || run.out.find(c.outLacks) == std::string::npos) << run.out;
    EXPECT_EQ(HostPathExists(m.f.HostPath(kLogPath)), c.licence);  // the one --no-log run
    EXPECT_TRUE(!c.installed.empty() || c.failCopy || m.f.machine().copies() == 0);
    EXPECT_EQ(ListHostTree(m.f.HostPath(kTemplates)), c.installed);
    EXPECT_TRUE(m.f.machine().pauses().empty());  // nobody watches a silent run: no pauses
  }
}

TEST_F(SilentRun, DryRunShowsThePlanAndCopiesNothing) {
  Prepare(k2002And2003);
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
  ExpectDataFile(run.out, "app/outputs/dry_run.txt");
  const std::vector<std::string> log = Log();
  ASSERT_GE(log.size(), 4u);
  EXPECT_EQ(std::vector<std::string>(log.end() - 4, log.end() - 1),
            (std::vector<std::string>{"Dry run: nothing was copied", "Installation cancelled.",
                                      "Log file closed on DD-Mon-YYYY at HH:MM:SS"}));
  EXPECT_FALSE(LogHas("Counting files..."));
}

}  // namespace
}  // namespace tpl::test
