// A log that could not be opened stays off when the first step comes again,
// and an Application Data value of only "\" is no folder at all.
#include <gtest/gtest.h>

#include <filesystem>

#include "scenario_setup.h"

namespace tpl::test {
namespace {

const char kShellFolders[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr ErrorCode kDiskFull = 112;

// FrontPage 2002 and 2003; the version dialog's first answer ticks nothing,
// so the first step runs twice.
void TwoVersionsFirstAnswerNone(WizardFixture& f) {
  SmallKitOn2002(f);
  f.prefix.AddFrontPage(3, kOffice11);
  f.prefix.SetCurrentFrontPage(kOffice11);
  f.ui.Queue(kIddVersions, [](DialogDriver& d) {
    d.Click(kIdcFP2003);
    d.Click(kIdOk);
  });
}

TEST(LogAndAppDataFaults, LogThatFailedToOpenStaysOffWhenTheFirstStepRepeats) {
  WizardFixture f;
  TwoVersionsFirstAnswerNone(f);
  f.Start();
  f.machine().FailNextLogOpen(kDiskFull);
  f.Next();
  ASSERT_EQ(f.wizard().m_nStep, kStepDetect);
  f.Next(3);

  EXPECT_EQ(f.wizard().m_nEndScreenId, kIdsSucceeded);
  EXPECT_EQ(f.StatusText().find("Log file written to"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(f.HostPath(kLogPath)));
}

TEST(LogAndAppDataFaults, AppDataOfOnlyABackslashFailsLikeAMissingOne) {
  for (const bool onlyBackslash : {true, false}) {
    SCOPED_TRACE(onlyBackslash ? "value \"\\\"" : "no value");
    WizardFixture f;
    SmallKit(f);
    f.prefix.AddFrontPage(3, kOffice11);
    f.prefix.SetCurrentFrontPage(kOffice11);
    if (onlyBackslash) {
      f.prefix.SetString(RegRoot::kCurrentUser, kShellFolders, "AppData", "\\");
    } else {
      f.prefix.SetString(RegRoot::kCurrentUser, kShellFolders, "AppData", "");
    }
    f.Start();
    f.Next();

    EXPECT_EQ(f.wizard().m_nEndScreenId, kIdsFailed);
    EXPECT_EQ(CountLines(f.LogLines(), "Failed to get Application Data directory from Registry"), 1u);
    EXPECT_EQ(Tree(f, "C:\\Microsoft"), std::vector<std::string>{});
  }
}

}  // namespace
}  // namespace tpl::test
