// Silent and dry runs through RunWizard on a test machine: the answers taken
// from the options, what goes to standard output and standard error, the
// exit statuses, and the runs that must stop before anything is copied.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "app/program.h"
#include "scenarios/scenario_setup.h"

namespace tpl::test {
namespace {

enum Versions { k2002, k2002And2003, k2002And2003NoneCurrent };

// Each answer, each run that stops before copying, a failed copy and a dry
// run. The whole of standard error is compared unless `errHas` names pieces
// of it; `outFile`, when named, holds the whole of standard output.
TEST(SilentRuns, EachAnswerAndEachStop) {
  const std::string page = "/pages/welcome/welcome.htm", accept = "--accept-licence";
  const std::string failing = std::string(kTemplates) + "\\1033\\pages\\welcome\\welcome.htm";
  const std::string note2003 = std::string(kNote2003) + "\n";
  const struct Case {
    Versions versions;
    std::vector<std::string> lcids, args;
    int status;
    std::string err;
    std::vector<std::string> errHas;
    std::string logHas, outStarts, lacks;  // `lacks`: in neither the output nor the log
    std::vector<std::string> installed;  // below kTemplates
    bool licence = true, failCopy = false;
    const char* outFile = nullptr;
  } cases[] = {
      {k2002And2003NoneCurrent, {"1033"}, {accept, "--versions", "2003"}, kExitInstalled, note2003,
       {}, "User chose to install for FrontPage 2003", "", "", {"1033/DWTs/page/page.dwt"}},
      {k2002And2003, {"1033"}, {accept, "--versions", "98,2003"}, kExitUsage, "",
       {"FrontPage 98 is not offered", "2002 and 2003"}, "", "Installation cancelled.", "", {}},
      {k2002And2003, {"1033"}, {accept}, kExitInstalled, "", {},  // the current one, 2003
       "User chose to install for FrontPage 2003", "", "", {"1033/DWTs/page/page.dwt"}},
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
      // Each row that would run, with its destination and file count; the
      // log ends without counting or copying.
      {k2002And2003, {"1033"}, {accept, "--versions", "2002,2003", "--dry-run"}, kExitInstalled,
       "", {}, "Dry run: nothing was copied", "", "Counting files...", {}, true, false,
       "app/outputs/dry_run.txt"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.args));
    WizardFixture f;
    f.Kit("common/Themes/blue/blue.inf", "title=Blue\r\nversion=1.5\r\n");
    f.Kit("common/Pages/welcome/welcome.htm", "<html></html>\r\n");
    f.Kit("common/dwts/page/page.dwt", "<html></html>\r\n");
    if (c.licence) f.Kit("license.txt", "Terms.\r\n");
    f.Kit("readme.txt", "Read me.\r\n");
    f.prefix.AddFrontPage(2, kOffice10);
    if (c.versions != k2002) f.prefix.AddFrontPage(3, kOffice11);
    if (c.versions == k2002And2003) f.prefix.SetCurrentFrontPage(kOffice11);
    for (const std::string& lcid : c.lcids) f.prefix.AddFolder(std::string(kTemplates) + "\\" + lcid);
    f.StartMachine();
    const std::vector<std::string> before = ListHostTree(f.prefix.root());
    if (c.failCopy) f.machine().FailCopy(failing, 5);

    std::vector<std::string> args = c.args;
    args.insert(args.begin(), "--silent");
    CommandLine options;
    std::string error;
    ASSERT_TRUE(ParseCommandLine(args, &options, &error)) << error;
    std::ostringstream out, err;
    EXPECT_EQ(RunWizard(f.machine(), options, nullptr, out, err), c.status);

    EXPECT_TRUE(!c.errHas.empty() || err.str() == c.err) << err.str();
    for (const std::string& piece : c.errHas) {
      EXPECT_NE(err.str().find(piece), std::string::npos) << err.str();
    }
    const std::vector<std::string> log = f.LogLines(kLogPath);
    EXPECT_TRUE(c.logHas.empty() || std::count(log.begin(), log.end(), c.logHas) == 1) << c.logHas;
    EXPECT_EQ(out.str().rfind(c.outStarts, 0), 0u) << out.str();
    if (!c.lacks.empty()) {
      EXPECT_EQ((out.str() + f.LogBytes(kLogPath)).find(c.lacks), std::string::npos) << out.str();
    }
    if (c.outFile) ExpectDataFile(out.str(), c.outFile);
    EXPECT_EQ(log.empty(), !c.licence);  // the one --no-log run
    EXPECT_EQ(ListHostTree(f.HostPath(kTemplates)), c.installed);
    if (c.installed.empty() && !c.failCopy) {  // nothing at all, not even a folder
      std::vector<std::string> after = ListHostTree(f.prefix.root());
      after.erase(std::remove(after.begin(), after.end(), "drive_c/users/tester/Temp/tplsetup.log"),
                  after.end());
      EXPECT_EQ(after, before);
    }
    EXPECT_TRUE(f.machine().pauses().empty());  // nobody watches a silent run: no pauses
  }
}

}  // namespace
}  // namespace tpl::test
