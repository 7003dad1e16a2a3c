// Whole runs of the wizard for one FrontPage version: the happy road, the
// licence answers, no FrontPage at all, and the log box unticked. The
// expected logs are written out in full, as the installer must write them.
#include <gtest/gtest.h>

#include <cstdio>

#include "scenario_setup.h"

namespace tpl::test {
namespace {

// The first press on a machine with FrontPage 2002 alone and one language
// folder, with SmallKit: detection, the kit check and the install plan.
std::vector<std::string> FirstPressLines() {
  return {"Checking FrontPage installation...", "Looking for FP98",
          "Looking for current version of FrontPage", "Looking for FP2000", "Looking for FP2002",
          "FP2002 found, verify executable", "FP2002 found and verified", "Looking for FP2003",
          "Looking for Application Data Path",
          "FrontPage 2002 found in C:\\Program Files\\Microsoft Office\\Office10",
          "Common Application data path C:\\users\\tester\\AppData\\Roaming",
          "Only one version found, so just assume to install to this.", "", "2002 selected",
          "This system has language folder 1033 (English)", "Checking kit for items to install...",
          "Searching common\\Themes\\*.*", "Searching fp2000\\Themes\\*.*",
          "Checking kit for items to install...", "Will install theme Blue Version 1",
          "Will install page template welcome", "Will install web template club",
          "No frame template to install"};
}

TEST(SingleVersion, InstallsEveryItemAndLogsEachStep) {
  WizardFixture f;
  SmallKitOn2002(f);
  f.ui.Queue(kIddLicence, [](DialogDriver& d) {
    EXPECT_EQ(d.control(kIdcLicenceText).Text(), "Use it well.\r\n");
    d.Click(kIdOk);
  });
  f.Start();
  f.Next();
  EXPECT_EQ(f.wizard().m_nStep, 3);
  EXPECT_EQ(f.StatusText(),
            "The following themes and templates will be installed.\n\nThemes:\tBlue Version 1\n"
            "Page templates:  welcome\nWeb templates:   club\nFrame templates: (None)\n");
  f.Next();
  EXPECT_EQ(f.StatusText(), kReady);
  EXPECT_EQ(f.wizard().m_nStep, 4);
  f.Next();

  EXPECT_EQ(f.StatusText(),
            "The installation was successfully completed.\n"
            "Log file written to C:\\users\\tester\\Temp\\tplsetup.log\n\n"
            "Create a new starter web site using the web template:\n"
            "FP 2002: Go to File > New > Page or Web. Click on \"Web Site Templates\" in the "
            "right column.");
  EXPECT_EQ(f.wizard().m_nEndScreenId, kIdsSucceeded);
  EXPECT_EQ(f.ui.runs(kIddLicence), 1);
  EXPECT_FALSE(f.control(kIdcProgressText).IsVisible());

  const std::string themes = std::string(kShared) + "\\themes";
  const std::string lang = std::string(kTemplates) + "\\1033\\";
  ExpectLog(f, Concat({LogHead(), FirstPressLines(), {
      "User accepted licence", "", "Currently Installing Theme for FrontPage 2002",
      "Counting files...", "Total files = 4"}, RowPair("themes", themes),
      {"Created folder " + std::string(kShared), "Created folder " + themes},
      NewItem(themes + "\\blue", {"blue.css", "blue.inf"}), RowPair("page templates", lang + "pages"),
      {"Created folder " + lang + "pages"}, NewItem(lang + "pages\\welcome", {"welcome.htm"}),
      {"Copying version-specific web templates to " + lang + "webs", "Created folder " + lang + "webs"},
      NewItem(lang + "webs\\club", {"index.htm"}), {"Copying common web templates to " + lang + "webs"},
      RowPair("frame templates", lang + "frames"), {"The installation was successfully completed.",
      "Log file closed on DD-Mon-YYYY at HH:MM:SS", ""}}));
  const std::string bytes = f.LogBytes();
  EXPECT_EQ(bytes.substr(bytes.size() - std::min<size_t>(4, bytes.size())), "\r\n\r\n");

  EXPECT_EQ(Tree(f, kShared), (std::vector<std::string>{"themes/blue/blue.css",
                                                         "themes/blue/blue.inf"}));
  EXPECT_EQ(Tree(f, kTemplates), (std::vector<std::string>{"1033/pages/welcome/welcome.htm",
                                                            "1033/webs/club/index.htm"}));
  EXPECT_EQ(ReadHostFile(f.HostPath(themes + "\\blue\\blue.inf")), "title=Blue\r\nversion=1\r\n");
  EXPECT_TRUE(Tree(f, f.prefix.AppDataPath()).empty());  // no 2003 folders without FrontPage 2003
  EXPECT_EQ(f.machine().pauses(), std::vector<uint32_t>{500});
  EXPECT_TRUE(f.ui.messageBoxes().empty());
}

// "Don't Accept" and Esc both refuse the licence.
TEST(SingleVersion, RefusedLicenceCopiesNothing) {
  for (const bool esc : {false, true}) {
    SCOPED_TRACE(esc ? "Esc" : "Don't Accept");
    WizardFixture f;
    SmallKit(f);
    FrontPage2002(f);
    f.ui.Queue(kIddLicence, [esc](DialogDriver& d) { esc ? d.Cancel() : void(d.Click(kIdCancel)); });
    f.Start();
    f.Next(2);

    EXPECT_EQ(f.ui.runs(kIddLicence), 1);
    EXPECT_EQ(f.StatusText(), kCancelledWithLog);
    EXPECT_EQ(f.wizard().m_nEndScreenId, kIdsCancelled);
    EXPECT_FALSE(f.control(kIdcNext).IsEnabled());
    ExpectLog(f, Concat({LogHead(), FirstPressLines(), {"User rejected licence",
        "Installation cancelled.", "Log file closed on DD-Mon-YYYY at HH:MM:SS", ""}}));
    EXPECT_EQ(f.machine().copies(), 0);
    EXPECT_TRUE(Tree(f, kShared).empty());
    EXPECT_TRUE(Tree(f, kTemplates).empty());
  }
}

TEST(SingleVersion, WithoutLicenceFileGoesStraightToReady) {
  WizardFixture f;
  SmallKit(f);
  std::remove((f.kitDir + "/license.txt").c_str());
  FrontPage2002(f);
  f.Start();
  f.Next(2);
  EXPECT_EQ(f.ui.runs(kIddLicence), 0);
  EXPECT_EQ(f.StatusText(), kReady);
  EXPECT_EQ(f.LogLines(), Concat({LogHead(), FirstPressLines(), {"No licence file supplied"}}));
  f.Next();
  EXPECT_EQ(f.wizard().m_nEndScreenId, kIdsSucceeded);
  EXPECT_EQ(Tree(f, kTemplates).size(), 2u);
}

TEST(SingleVersion, NoFrontPageEndsOnTheFailureScreen) {
  WizardFixture f;
  SmallKit(f);
  f.Start();
  f.Next();

  ASSERT_EQ(f.ui.messageBoxes().size(), 1u);
  EXPECT_EQ(f.ui.messageBoxes()[0].text, "Installation Error.  FrontPage not found.");
  EXPECT_EQ(f.ui.messageBoxes()[0].type, kMbIconStop);
  EXPECT_EQ(f.StatusText(), kFailedWithLog);
  EXPECT_EQ(f.wizard().m_nEndScreenId, kIdsFailed);
  EXPECT_EQ(f.wizard().m_nStep, 0);
  EXPECT_FALSE(f.control(kIdcNext).IsEnabled());
  EXPECT_FALSE(f.control(kIdCancel).IsEnabled());
  ExpectLog(f, Concat({LogHead(), {
      "Checking FrontPage installation...", "Looking for FP98",
      "Looking for current version of FrontPage", "Looking for FP2000", "Looking for FP2002",
      "Looking for FP2003", "Looking for Application Data Path", "No FrontPage installation found",
      "Installation failed. Please check the log file.",
      "Log file closed on DD-Mon-YYYY at HH:MM:SS", ""}}));
  EXPECT_EQ(f.machine().copies(), 0);
}

TEST(SingleVersion, UntickedLogBoxWritesNoLogAndNamesNone) {
  WizardFixture f;
  SmallKitOn2002(f);
  f.prefix.AddFile(kLogPath, "the log of an earlier run\r\n");
  f.Start();
  f.control(kIdcCreateLog).SetCheck(kBstUnchecked);
  f.Next(3);

  EXPECT_FALSE(f.wizard().m_bLogEnabled);
  EXPECT_FALSE(f.control(kIdcCreateLog).IsEnabled());
  EXPECT_EQ(f.wizard().m_nEndScreenId, kIdsSucceeded);
  EXPECT_EQ(f.StatusText().find("Log file written to"), std::string::npos);
  EXPECT_EQ(f.StatusText().rfind("The installation was successfully completed.\n\n", 0), 0u);
  EXPECT_EQ(ReadHostFile(f.HostPath(kLogPath)), "the log of an earlier run\r\n");
  EXPECT_EQ(Tree(f, kTemplates).size(), 2u);
}

}  // namespace
}  // namespace tpl::test
