// Whole runs of the wizard with several FrontPage versions or several Office
// language folders: the version dialog, the language combo, a first step
// that has to be repeated, a copy that fails in the second version, and
// Cancel at every step the wizard can rest on.
#include <gtest/gtest.h>

#include "scenario_setup.h"

namespace tpl::test {
namespace {

// The dialog's first answer ticks nothing, so the first step comes again in
// the same log; the second answer adds FrontPage 2002 to the preselected 2003.
TEST(SeveralVersions, NoVersionTickedThenBothInstallWithTheir2003Folders) {
  WizardFixture f;
  SmallKitOn2002(f);
  f.Kit("common/dwts/page/page.dwt", "<html></html>\r\n");
  f.prefix.AddFrontPage(3, kOffice11);
  f.prefix.SetCurrentFrontPage(kOffice11);
  f.ui.Queue(kIddVersions, [](DialogDriver& d) {
    // Found versions are enabled, the current one alone is ticked.
    EXPECT_FALSE(d.control(kIdcFP98).IsEnabled() || d.control(kIdcFP2000).IsEnabled());
    EXPECT_TRUE(d.control(kIdcFP2002).IsEnabled());
    EXPECT_EQ(d.control(kIdcFP2002).Check(), kBstUnchecked);
    EXPECT_EQ(d.control(kIdcFP2003).Check(), kBstChecked);
    d.Click(kIdcFP2003);  // clears the preselection: nothing is chosen
    d.Click(kIdOk);
  });
  f.ui.Queue(kIddVersions, [](DialogDriver& d) {
    EXPECT_EQ(d.control(kIdcFP2003).Check(), kBstChecked);  // preselected again
    d.Click(kIdcFP2002);
    d.Click(kIdOk);
  });
  f.Start();
  f.Next();
  EXPECT_EQ(f.wizard().m_nStep, 0);
  EXPECT_EQ(f.StatusText(),
            "The following themes and templates will be installed.\n\nThemes:\t(None)\n\n"
            "Page templates:  (None)\nWeb templates:   (None)\nFrame templates: (None)\n");
  EXPECT_TRUE(f.control(kIdcNext).IsEnabled());
  EXPECT_FALSE(f.control(kIdcCreateLog).IsEnabled());
  f.Next();
  EXPECT_EQ(f.wizard().m_nStep, 3);
  f.Next(2);

  EXPECT_EQ(f.ui.runs(kIddVersions), 2);
  EXPECT_TRUE(f.ui.messageBoxes().empty());  // the 2003 note only comes when a click ticks it
  EXPECT_EQ(f.wizard().m_nEndScreenId, kIdsSucceeded);
  EXPECT_EQ(f.StatusText(),
            "The installation was successfully completed.\n"
            "Log file written to C:\\users\\tester\\Temp\\tplsetup.log\n\n"
            "Create a new starter web site using the web template:\n"
            "FP 2002: Go to File > New > Page or Web. Click on \"Web Site Templates\" in the "
            "right column.\n"
            "FP 2003: Go to File > New. Click on \"More Web Site Templates\" in the right column.  "
            "This template is listed under the \"My Templates\" tab");

  const std::string sh = std::string(kShared) + "\\", la = std::string(kTemplates) + "\\1033\\";
  const std::string ro = "C:\\users\\tester\\AppData\\Roaming\\Microsoft\\", pr = ro + "FrontPage\\";
  const std::vector<std::string> detection = {
      "Checking FrontPage installation...", "Looking for FP98", "Looking for current version of FrontPage",
      "A current version was found at: C:\\Program Files\\Microsoft Office\\OFFICE11",
      "Current FP200x version found and verified", "Looking for FP2000", "Looking for FP2002",
      "FP2002 found, verify executable", "FP2002 found and verified", "Looking for FP2003",
      "FP2003 found, verify executable", "FP2003 found and verified", "Looking for Application Data Path",
      "FrontPage Current Version found in C:\\Program Files\\Microsoft Office\\OFFICE11",
      "Current version is FrontPage 2003",
      "FrontPage 2002 found in C:\\Program Files\\Microsoft Office\\Office10",
      "FrontPage 2003 found in C:\\Program Files\\Microsoft Office\\OFFICE11",
      "Common Application data path C:\\users\\tester\\AppData\\Roaming",
      "More than one version found, asking which versions to install to."};
  ExpectLog(f, Concat({LogHead(), detection, {
      "User chose to install for FrontPage ", "", "Checking kit for items to install...",
      "No theme to install", "No page template to install", "No web template to install",
      "No frame template to install"}, detection, {
      "User chose to install for FrontPage 2002 2003", "", "2002 selected",
      "This system has language folder 1033 (English)", "Checking kit for items to install...",
      "Searching common\\Themes\\*.*", "Searching fp2000\\Themes\\*.*", "2003 selected",
      "Checking kit for items to install...", "Searching common\\Themes\\*.*",
      "Searching fp2000\\Themes\\*.*", "Checking kit for items to install...",
      "Will install theme Blue Version 1", "Will install page template welcome",
      "Will install web template club", "No frame template to install", "User accepted licence",
      "", "Currently Installing Theme for FrontPage 2002", "Counting files...", "Total files = 12"},
      RowPair("themes", sh + "themes"),
      {"Created folder " + std::string(kShared), "Created folder " + sh + "themes"},
      NewItem(sh + "themes\\blue", {"blue.css", "blue.inf"}),
      RowPair("2003 themes", sh + "themes11"), {"Created folder " + sh + "themes11"},
      NewItem(sh + "themes11\\blue", {"blue.css", "blue.inf"}),
      RowPair("profile themes", ro + "Themes"),
      {"Created folder C:\\users\\tester\\AppData\\Roaming\\Microsoft", "Created folder " + ro + "Themes"},
      NewItem(ro + "Themes\\blue", {"blue.css", "blue.inf"}),
      RowPair("page templates", la + "pages"), {"Created folder " + la + "pages"},
      NewItem(la + "pages\\welcome", {"welcome.htm"}),
      RowPair("2003 page templates", la + "pages11"), {"Created folder " + la + "pages11"},
      NewItem(la + "pages11\\welcome", {"welcome.htm"}),
      RowPair("profile page templates", pr + "Pages"),
      {"Created folder C:\\users\\tester\\AppData\\Roaming\\Microsoft\\FrontPage",
       "Created folder " + pr + "Pages"},
      NewItem(pr + "Pages\\welcome", {"welcome.htm"}),
      {"Copying version-specific web templates to " + la + "webs", "Created folder " + la + "webs"},
      NewItem(la + "webs\\club", {"index.htm"}), {"Copying common web templates to " + la + "webs",
      "Copying version-specific 2003 web templates to " + la + "webs11",
      "Created folder " + la + "webs11"},
      NewItem(la + "webs11\\club", {"index.htm"}),
      {"Copying common 2003 web templates to " + la + "webs11",
       "Copying version-specific profile web templates to " + pr + "Webs",
       "Created folder " + pr + "Webs"},
      NewItem(pr + "Webs\\club", {"index.htm"}),
      {"Copying common profile web templates to " + pr + "Webs"},
      RowPair("frame templates", la + "frames"), RowPair("2003 frame templates", la + "frames11"),
      RowPair("profile frame templates", pr + "Frames"),
      {"", "Currently Installing Theme for FrontPage 2003", "Counting files...", "Total files = 6"},
      RowPair("themes", ro + "Themes"),
      {"Copied file: " + ro + "Themes\\blue\\blue.css", "Copied file: " + ro + "Themes\\blue\\blue.inf"},
      RowPair("page templates", pr + "Pages"), {"Copied file: " + pr + "Pages\\welcome\\welcome.htm",
      "Copying version-specific web templates to " + pr + "Webs",
      "Copied file: " + pr + "Webs\\club\\index.htm", "Copying common web templates to " + pr + "Webs"},
      RowPair("frame templates", pr + "Frames"),
      {"Copying version-specific profile dwt templates to " + la + "DWTs",
       "Created folder " + la + "DWTs"},
      NewItem(la + "DWTs\\page", {"page.dwt"}),
      {"Copying common profile dwt templates to " + pr + "DWTs", "Created folder " + pr + "DWTs"},
      NewItem(pr + "DWTs\\page", {"page.dwt"}),
      {"The installation was successfully completed.",
       "Log file closed on DD-Mon-YYYY at HH:MM:SS", ""}}));

  EXPECT_EQ(Tree(f, kShared), Sorted({"themes/blue/blue.css", "themes/blue/blue.inf",
                                      "themes11/blue/blue.css", "themes11/blue/blue.inf"}));
  EXPECT_EQ(Tree(f, kTemplates),
            Sorted({"1033/pages/welcome/welcome.htm", "1033/pages11/welcome/welcome.htm",
                    "1033/webs/club/index.htm", "1033/webs11/club/index.htm",
                    "1033/DWTs/page/page.dwt"}));
  EXPECT_EQ(Tree(f, ro), Sorted({"Themes/blue/blue.css", "Themes/blue/blue.inf",
                                 "FrontPage/Pages/welcome/welcome.htm",
                                 "FrontPage/Webs/club/index.htm", "FrontPage/DWTs/page/page.dwt"}));
  EXPECT_EQ(f.machine().pauses(), (std::vector<uint32_t>{500, 500}));
}

TEST(SeveralVersions, LanguageComboDecidesTheTemplatesFolder) {
  WizardFixture f;
  SmallKitOn2002(f, {"1033", "1031"});
  f.Start();
  f.Next();
  EXPECT_EQ(f.wizard().m_nStep, 1);
  EXPECT_EQ(f.StatusText().rfind("The following themes and templates", 0), 0u);
  MemoryPeer& combo = f.control(kIdcLanguage);
  EXPECT_FALSE(combo.IsVisible());

  f.Next();
  EXPECT_EQ(f.wizard().m_nStep, 2);
  EXPECT_EQ(f.StatusText(), "Please select the language for your FrontPage installation.");
  ASSERT_TRUE(combo.IsVisible());
  ASSERT_EQ(combo.Count(), 2);
  EXPECT_EQ(combo.ItemText(0), "German (1031)");
  EXPECT_EQ(combo.ItemText(1), "English (1033)");
  EXPECT_EQ(combo.ItemData(1), 1033u);
  EXPECT_EQ(combo.CurSel(), 0);
  combo.SetCurSel(1);

  f.Next();  // takes the language, then the licence in the same press
  EXPECT_FALSE(combo.IsVisible());
  EXPECT_EQ(f.wizard().m_strLanguage, "1033");
  EXPECT_EQ(f.wizard().m_nStep, 4);
  EXPECT_EQ(f.StatusText(), kReady);
  f.Next();
  EXPECT_EQ(f.wizard().m_nEndScreenId, kIdsSucceeded);

  // Both folders are listed once, in the combo's order; the choice comes after the plan.
  const std::vector<std::string> log = f.LogLines();
  const auto selected = std::find(log.begin(), log.end(), "2002 selected");
  ASSERT_LE(selected + 13, log.end());
  EXPECT_EQ(std::vector<std::string>(selected, selected + 13), (std::vector<std::string>{
      "2002 selected", "This system has language folder 1031 (German)",
      "This system has language folder 1033 (English)", "Checking kit for items to install...",
      "Searching common\\Themes\\*.*", "Searching fp2000\\Themes\\*.*",
      "Checking kit for items to install...", "Will install theme Blue Version 1",
      "Will install page template welcome", "Will install web template club",
      "No frame template to install", "User chose to install for language LCID 1033",
      "User accepted licence"}));
  EXPECT_EQ(Tree(f, kTemplates), (std::vector<std::string>{"1033/pages/welcome/welcome.htm",
                                                            "1033/webs/club/index.htm"}));
}

TEST(SeveralVersions, CopyFailureInTheSecondVersionKeepsTheFirst) {
  WizardFixture f;
  SmallKitOn2002(f);
  f.Kit("fp98/Pages/simple/simple.htm", "<html></html>\r\n");
  f.prefix.AddFrontPage(0, kFrontPage98);
  f.ui.Queue(kIddVersions, [](DialogDriver& d) {
    // No current version to preselect.
    EXPECT_EQ(d.control(kIdcFP98).Check(), kBstUnchecked);
    EXPECT_EQ(d.control(kIdcFP2002).Check(), kBstUnchecked);
    d.Click(kIdcFP98);
    d.Click(kIdcFP2002);
    d.Click(kIdOk);
  });
  f.Start();
  const std::string sh = kShared, failing = sh + "\\themes\\blue\\blue.css";
  f.machine().FailCopy(failing, 5);
  f.Next(3);

  EXPECT_EQ(f.wizard().m_nEndScreenId, kIdsFailed);
  EXPECT_EQ(f.StatusText(), kFailedWithLog);
  EXPECT_TRUE(f.control(kIdOk).IsEnabled());
  ASSERT_EQ(f.ui.messageBoxes().size(), 1u);
  EXPECT_EQ(f.ui.messageBoxes()[0].text,
            "File copy failed:: " + failing + "\nReason: (5) Access is denied.\r\n");
  EXPECT_EQ(f.ui.messageBoxes()[0].type, kMbIconExclamation);

  // FrontPage 98 got everything of its plan, FrontPage 2002 nothing.
  EXPECT_EQ(Tree(f, kFrontPage98),
            Sorted({"bin/fpexplor.exe", "pages/simple/simple.htm", "pages/welcome/welcome.htm",
                    "themes/blue/blue.css", "themes/blue/blue.inf"}));
  EXPECT_TRUE(Tree(f, kShared).empty());
  EXPECT_TRUE(Tree(f, kTemplates).empty());
  const std::vector<std::string> log = f.LogLines();
  EXPECT_EQ(CountLines(log, "98 selected"), 1u);
  EXPECT_EQ(CountLines(log, "Currently Installing Theme for FrontPage 98"), 1u);
  EXPECT_EQ(Tail(log, 10), (std::vector<std::string>{"Copying common themes to " + sh + "\\themes",
      "Created folder " + sh, "Created folder " + sh + "\\themes",
      "Created folder " + sh + "\\themes\\blue", "File copy failed:: " + failing,
      "Reason: (5) Access is denied.\r", "", "Installation failed. Please check the log file.",
      "Log file closed on DD-Mon-YYYY at HH:MM:SS", ""}));
}

TEST(SeveralVersions, CancelAtEachStepEndsCancelledWithNothingCopied) {
  // Cancel after `presses` presses of "Next >" with `languages` Office
  // language folders; `step` is where the wizard rests then.
  const struct { int languages, presses, step; } points[] = {
      {1, 0, 0}, {1, 1, 3}, {1, 2, 4},  // intro, install plan, ready to install
      {2, 1, 1}, {2, 2, 2}, {2, 3, 4},  // plan with a language to choose, the combo, ready
  };
  for (const auto& point : points) {
    SCOPED_TRACE("languages " + std::to_string(point.languages) + " step " +
                 std::to_string(point.step));
    WizardFixture f;
    SmallKitOn2002(f, point.languages == 1 ? std::vector<std::string>{"1033"}
                                           : std::vector<std::string>{"1033", "1031"});
    f.Start();
    f.Next(point.presses);
    ASSERT_EQ(f.wizard().m_nStep, point.step);
    ASSERT_EQ(f.wizard().m_nEndScreenId, 0);

    f.wizard().OnCancel();
    EXPECT_EQ(f.wizard().m_nEndScreenId, kIdsCancelled);
    EXPECT_FALSE(f.control(kIdCancel).IsEnabled() || f.control(kIdcNext).IsEnabled());
    EXPECT_TRUE(f.control(kIdOk).IsEnabled());
    EXPECT_EQ(f.machine().copies(), 0);
    EXPECT_TRUE(Tree(f, kTemplates).empty());
    if (point.presses == 0) {  // the log opens on the first press only
      EXPECT_EQ(f.StatusText(), "Installation cancelled.");
      EXPECT_FALSE(HostPathExists(f.HostPath(kLogPath)));
      continue;
    }
    EXPECT_EQ(f.StatusText(), kCancelledWithLog);
    const std::vector<std::string> log = f.LogLines();
    ASSERT_GE(log.size(), 10u);
    EXPECT_EQ(log[2], "Log file opened on DD-Mon-YYYY at HH:MM:SS");
    EXPECT_EQ(Tail(log, 4), (std::vector<std::string>{"User cancelled installation",
        "Installation cancelled.", "Log file closed on DD-Mon-YYYY at HH:MM:SS", ""}));
    f.wizard().OnCancel();  // Esc or the close box on the end screen changes nothing
    EXPECT_EQ(f.LogLines(), log);
    EXPECT_EQ(f.wizard().m_nEndScreenId, kIdsCancelled);
  }
}

}  // namespace
}  // namespace tpl::test
