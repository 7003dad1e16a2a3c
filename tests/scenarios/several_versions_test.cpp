// Whole runs of the wizard with several FrontPage versions or several Office
// language folders: the version dialog, the language combo, a first step
// that has to be repeated, and a copy that fails in the second version.
#include <gtest/gtest.h>

#include "res/strings.h"
#include "scenario_setup.h"

namespace tpl::test {
namespace {

// FrontPage 2002 and 2003, the current one (App Paths) being 2003.
void FrontPage2002And2003(WizardFixture& f) {
  FrontPage2002(f);
  f.prefix.AddFrontPage(3, kOffice11);
  f.prefix.SetCurrentFrontPage(kOffice11);
}

size_t CountLines(const std::vector<std::string>& lines, const std::string& line) {
  return static_cast<size_t>(std::count(lines.begin(), lines.end(), line));
}

TEST(SeveralVersions, DialogChoiceInstallsBothWithTheir2003Folders) {
  WizardFixture f;
  SmallKit(f);
  f.Kit("common/dwts/page/page.dwt", "<html></html>\r\n");
  FrontPage2002And2003(f);
  f.ui.Queue(kIddVersions, [](DialogDriver& d) {
    // Found versions are enabled, the current one alone is ticked.
    EXPECT_FALSE(d.control(kIdcFP98).IsEnabled());
    EXPECT_FALSE(d.control(kIdcFP2000).IsEnabled());
    EXPECT_TRUE(d.control(kIdcFP2002).IsEnabled());
    EXPECT_EQ(d.control(kIdcFP2002).Check(), kBstUnchecked);
    EXPECT_EQ(d.control(kIdcFP2003).Check(), kBstChecked);
    d.Click(kIdcFP2002);
    d.Click(kIdOk);
  });
  f.ui.Queue(kIddLicence, [](DialogDriver& d) { d.Click(kIdOk); });
  f.Start();
  f.Next(3);

  EXPECT_EQ(f.ui.runs(kIddVersions), 1);
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

  const std::string shared = std::string(kShared) + "\\";
  const std::string lang = std::string(kTemplates) + "\\1033\\";
  const std::string roaming = "C:\\users\\tester\\AppData\\Roaming\\Microsoft\\";
  const std::string profile = roaming + "FrontPage\\";
  ExpectLog(f, Concat({LogHead(), {
      "Checking FrontPage installation...",
      "Looking for FP98",
      "Looking for current version of FrontPage",
      "A current version was found at: C:\\Program Files\\Microsoft Office\\OFFICE11",
      "Current FP200x version found and verified",
      "Looking for FP2000",
      "Looking for FP2002",
      "FP2002 found, verify executable",
      "FP2002 found and verified",
      "Looking for FP2003",
      "FP2003 found, verify executable",
      "FP2003 found and verified",
      "Looking for Application Data Path",
      "FrontPage Current Version found in C:\\Program Files\\Microsoft Office\\OFFICE11",
      "Current version is FrontPage 2003",
      "FrontPage 2002 found in C:\\Program Files\\Microsoft Office\\Office10",
      "FrontPage 2003 found in C:\\Program Files\\Microsoft Office\\OFFICE11",
      "Common Application data path C:\\users\\tester\\AppData\\Roaming",
      "More than one version found, asking which versions to install to.",
      "User chose to install for FrontPage 2002 2003",
      "",
      "2002 selected",
      "This system has language folder 1033 (English)",
      "Checking kit for items to install...",
      "Searching common\\Themes\\*.*",
      "Searching fp2000\\Themes\\*.*",
      "2003 selected",
      "Checking kit for items to install...",
      "Searching common\\Themes\\*.*",
      "Searching fp2000\\Themes\\*.*",
      "Checking kit for items to install...",
      "Will install theme Blue Version 1",
      "Will install page template welcome",
      "Will install web template club",
      "No frame template to install",
      "User accepted licence",
      "",
      "Currently Installing Theme for FrontPage 2002",
      "Counting files...",
      "Total files = 12",
      "Copying version-specific themes to " + shared + "themes",
      "Copying common themes to " + shared + "themes",
      "Created folder C:\\Program Files\\Common Files\\Microsoft Shared",
      "Created folder " + shared + "themes",
      "Created folder " + shared + "themes\\blue",
      "Copied file: " + shared + "themes\\blue\\blue.css",
      "Copied file: " + shared + "themes\\blue\\blue.inf",
      "Copying version-specific 2003 themes to " + shared + "themes11",
      "Copying common 2003 themes to " + shared + "themes11",
      "Created folder " + shared + "themes11",
      "Created folder " + shared + "themes11\\blue",
      "Copied file: " + shared + "themes11\\blue\\blue.css",
      "Copied file: " + shared + "themes11\\blue\\blue.inf",
      "Copying version-specific profile themes to " + roaming + "Themes",
      "Copying common profile themes to " + roaming + "Themes",
      "Created folder C:\\users\\tester\\AppData\\Roaming\\Microsoft",
      "Created folder " + roaming + "Themes",
      "Created folder " + roaming + "Themes\\blue",
      "Copied file: " + roaming + "Themes\\blue\\blue.css",
      "Copied file: " + roaming + "Themes\\blue\\blue.inf",
      "Copying version-specific page templates to " + lang + "pages",
      "Copying common page templates to " + lang + "pages",
      "Created folder " + lang + "pages",
      "Created folder " + lang + "pages\\welcome",
      "Copied file: " + lang + "pages\\welcome\\welcome.htm",
      "Copying version-specific 2003 page templates to " + lang + "pages11",
      "Copying common 2003 page templates to " + lang + "pages11",
      "Created folder " + lang + "pages11",
      "Created folder " + lang + "pages11\\welcome",
      "Copied file: " + lang + "pages11\\welcome\\welcome.htm",
      "Copying version-specific profile page templates to " + profile + "Pages",
      "Copying common profile page templates to " + profile + "Pages",
      "Created folder C:\\users\\tester\\AppData\\Roaming\\Microsoft\\FrontPage",
      "Created folder " + profile + "Pages",
      "Created folder " + profile + "Pages\\welcome",
      "Copied file: " + profile + "Pages\\welcome\\welcome.htm",
      "Copying version-specific web templates to " + lang + "webs",
      "Created folder " + lang + "webs",
      "Created folder " + lang + "webs\\club",
      "Copied file: " + lang + "webs\\club\\index.htm",
      "Copying common web templates to " + lang + "webs",
      "Copying version-specific 2003 web templates to " + lang + "webs11",
      "Created folder " + lang + "webs11",
      "Created folder " + lang + "webs11\\club",
      "Copied file: " + lang + "webs11\\club\\index.htm",
      "Copying common 2003 web templates to " + lang + "webs11",
      "Copying version-specific profile web templates to " + profile + "Webs",
      "Created folder " + profile + "Webs",
      "Created folder " + profile + "Webs\\club",
      "Copied file: " + profile + "Webs\\club\\index.htm",
      "Copying common profile web templates to " + profile + "Webs",
      "Copying version-specific frame templates to " + lang + "frames",
      "Copying common frame templates to " + lang + "frames",
      "Copying version-specific 2003 frame templates to " + lang + "frames11",
      "Copying common 2003 frame templates to " + lang + "frames11",
      "Copying version-specific profile frame templates to " + profile + "Frames",
      "Copying common profile frame templates to " + profile + "Frames",
      "",
      "Currently Installing Theme for FrontPage 2003",
      "Counting files...",
      "Total files = 6",
      "Copying version-specific themes to " + roaming + "Themes",
      "Copying common themes to " + roaming + "Themes",
      "Copied file: " + roaming + "Themes\\blue\\blue.css",
      "Copied file: " + roaming + "Themes\\blue\\blue.inf",
      "Copying version-specific page templates to " + profile + "Pages",
      "Copying common page templates to " + profile + "Pages",
      "Copied file: " + profile + "Pages\\welcome\\welcome.htm",
      "Copying version-specific web templates to " + profile + "Webs",
      "Copied file: " + profile + "Webs\\club\\index.htm",
      "Copying common web templates to " + profile + "Webs",
      "Copying version-specific frame templates to " + profile + "Frames",
      "Copying common frame templates to " + profile + "Frames",
      "Copying version-specific profile dwt templates to " + lang + "DWTs",
      "Created folder " + lang + "DWTs",
      "Created folder " + lang + "DWTs\\page",
      "Copied file: " + lang + "DWTs\\page\\page.dwt",
      "Copying common profile dwt templates to " + profile + "DWTs",
      "Created folder " + profile + "DWTs",
      "Created folder " + profile + "DWTs\\page",
      "Copied file: " + profile + "DWTs\\page\\page.dwt",
      "The installation was successfully completed.",
      "Log file closed on DD-Mon-YYYY at HH:MM:SS",
      "",
  }}));

  EXPECT_EQ(Tree(f, kShared),
            Sorted({"themes/blue/blue.css", "themes/blue/blue.inf", "themes11/blue/blue.css",
                    "themes11/blue/blue.inf"}));
  EXPECT_EQ(Tree(f, kTemplates),
            Sorted({"1033/pages/welcome/welcome.htm", "1033/pages11/welcome/welcome.htm",
                    "1033/webs/club/index.htm", "1033/webs11/club/index.htm",
                    "1033/DWTs/page/page.dwt"}));
  EXPECT_EQ(Tree(f, roaming),
            Sorted({"Themes/blue/blue.css", "Themes/blue/blue.inf",
                    "FrontPage/Pages/welcome/welcome.htm", "FrontPage/Webs/club/index.htm",
                    "FrontPage/DWTs/page/page.dwt"}));
  EXPECT_EQ(f.machine().pauses(), (std::vector<uint32_t>{500, 500}));
}

TEST(SeveralVersions, LanguageComboDecidesTheTemplatesFolder) {
  WizardFixture f;
  SmallKit(f);
  FrontPage2002(f, {"1033", "1031"});
  f.ui.Queue(kIddLicence, [](DialogDriver& d) { d.Click(kIdOk); });
  f.Start();

  f.Next();
  EXPECT_EQ(f.wizard().m_nStep, 1);
  EXPECT_TRUE(f.StatusText().rfind("The following themes and templates", 0) == 0);
  EXPECT_FALSE(f.control(kIdcLanguage).IsVisible());

  f.Next();
  EXPECT_EQ(f.wizard().m_nStep, 2);
  EXPECT_EQ(f.StatusText(), "Please select the language for your FrontPage installation.");
  MemoryPeer& combo = f.control(kIdcLanguage);
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
  EXPECT_EQ(f.StatusText(), "Ready to install themes.\n\nClick Next to continue.");
  f.Next();
  EXPECT_EQ(f.wizard().m_nEndScreenId, kIdsSucceeded);

  const std::vector<std::string> log = f.LogLines();
  const auto selected = std::find(log.begin(), log.end(), "2002 selected");
  ASSERT_NE(selected, log.end());
  EXPECT_EQ(std::vector<std::string>(selected, selected + 4),
            (std::vector<std::string>{"2002 selected",
                                      "This system has language folder 1031 (German)",
                                      "This system has language folder 1033 (English)",
                                      "Checking kit for items to install..."}));
  const auto chose = std::find(log.begin(), log.end(), "User chose to install for language LCID 1033");
  ASSERT_NE(chose, log.end());
  EXPECT_EQ(*(chose - 1), "No frame template to install");
  EXPECT_EQ(*(chose + 1), "User accepted licence");
  EXPECT_EQ(CountLines(log, "This system has language folder 1033 (English)"), 1u);

  EXPECT_EQ(Tree(f, kTemplates), (std::vector<std::string>{"1033/pages/welcome/welcome.htm",
                                                            "1033/webs/club/index.htm"}));
}

TEST(SeveralVersions, NoVersionTickedRepeatsTheFirstStepInOneLog) {
  WizardFixture f;
  SmallKit(f);
  FrontPage2002And2003(f);
  f.ui.Queue(kIddVersions, [](DialogDriver& d) {
    d.Click(kIdcFP2003);  // clears the preselection: nothing is chosen
    d.Click(kIdOk);
  });
  f.ui.Queue(kIddVersions, [](DialogDriver& d) {
    EXPECT_EQ(d.control(kIdcFP2003).Check(), kBstChecked);  // preselected again
    d.Click(kIdOk);
  });
  f.ui.Queue(kIddLicence, [](DialogDriver& d) { d.Click(kIdOk); });
  f.Start();

  f.Next();
  EXPECT_EQ(f.wizard().m_nStep, 0);
  EXPECT_EQ(f.StatusText(),
            "The following themes and templates will be installed.\n\n"
            "Themes:\t(None)\n\n"
            "Page templates:  (None)\n"
            "Web templates:   (None)\n"
            "Frame templates: (None)\n");
  EXPECT_TRUE(f.control(kIdcNext).IsEnabled());
  EXPECT_FALSE(f.control(kIdcCreateLog).IsEnabled());
  std::vector<std::string> log = f.LogLines();
  EXPECT_EQ(std::vector<std::string>(log.end() - 7, log.end()),
            (std::vector<std::string>{"User chose to install for FrontPage ", "",
                                      "Checking kit for items to install...",
                                      "No theme to install", "No page template to install",
                                      "No web template to install",
                                      "No frame template to install"}));

  f.Next();
  EXPECT_EQ(f.wizard().m_nStep, 3);
  f.Next(2);
  EXPECT_EQ(f.ui.runs(kIddVersions), 2);
  EXPECT_EQ(f.wizard().m_nEndScreenId, kIdsSucceeded);

  log = f.LogLines();
  EXPECT_EQ(CountLines(log, "Log file opened on DD-Mon-YYYY at HH:MM:SS"), 1u);
  EXPECT_EQ(CountLines(log, "Checking FrontPage installation..."), 2u);
  EXPECT_EQ(CountLines(log, "User chose to install for FrontPage 2003"), 1u);
  EXPECT_EQ(CountLines(log, "2003 selected"), 1u);
  EXPECT_EQ(CountLines(log, "2002 selected"), 0u);
  ASSERT_GE(log.size(), 3u);
  EXPECT_EQ(std::vector<std::string>(log.end() - 3, log.end()),
            (std::vector<std::string>{"The installation was successfully completed.",
                                      "Log file closed on DD-Mon-YYYY at HH:MM:SS", ""}));
  EXPECT_TRUE(Tree(f, kShared).empty());  // FrontPage 2003 keeps its themes in the profile
  EXPECT_FALSE(Tree(f, "C:\\users\\tester\\AppData\\Roaming\\Microsoft").empty());
}

TEST(SeveralVersions, CopyFailureInTheSecondVersionKeepsTheFirst) {
  WizardFixture f;
  SmallKit(f);
  f.Kit("fp98/Pages/simple/simple.htm", "<html></html>\r\n");
  f.prefix.AddFrontPage(0, kFrontPage98);
  FrontPage2002(f);
  f.ui.Queue(kIddVersions, [](DialogDriver& d) {
    EXPECT_EQ(d.control(kIdcFP98).Check(), kBstUnchecked);  // no current version to preselect
    EXPECT_EQ(d.control(kIdcFP2002).Check(), kBstUnchecked);
    d.Click(kIdcFP98);
    d.Click(kIdcFP2002);
    d.Click(kIdOk);
  });
  f.ui.Queue(kIddLicence, [](DialogDriver& d) { d.Click(kIdOk); });
  f.Start();
  const std::string failing = std::string(kShared) + "\\themes\\blue\\blue.css";
  f.machine().FailCopy(failing, 5);
  f.Next(3);

  EXPECT_EQ(f.wizard().m_nEndScreenId, kIdsFailed);
  EXPECT_EQ(f.StatusText(),
            "Installation failed. Please check the log file.\n"
            "Log file written to C:\\users\\tester\\Temp\\tplsetup.log");
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
  ASSERT_GE(log.size(), 10u);
  EXPECT_EQ(std::vector<std::string>(log.end() - 10, log.end()),
            (std::vector<std::string>{
                "Copying common themes to " + std::string(kShared) + "\\themes",
                "Created folder " + std::string(kShared),
                "Created folder " + std::string(kShared) + "\\themes",
                "Created folder " + std::string(kShared) + "\\themes\\blue",
                "File copy failed:: " + failing,
                "Reason: (5) Access is denied.\r",
                "",
                "Installation failed. Please check the log file.",
                "Log file closed on DD-Mon-YYYY at HH:MM:SS",
                "",
            }));
}

// Cancel pressed after `presses` presses of "Next >" on a machine with
// `languages` Office language folders: every step the wizard can rest on.
struct CancelPoint {
  int languages;
  int presses;
  int step;  // m_nStep when Cancel is pressed
};

class CancelAtEachStep : public ::testing::TestWithParam<CancelPoint> {};

TEST_P(CancelAtEachStep, EndsCancelledWithNothingCopied) {
  const CancelPoint point = GetParam();
  WizardFixture f;
  SmallKit(f);
  FrontPage2002(f, point.languages == 1 ? std::vector<std::string>{"1033"}
                                        : std::vector<std::string>{"1033", "1031"});
  f.ui.SetDefault(kIddLicence, [](DialogDriver& d) { d.Click(kIdOk); });
  f.Start();
  f.Next(point.presses);
  ASSERT_EQ(f.wizard().m_nStep, point.step);
  ASSERT_EQ(f.wizard().m_nEndScreenId, 0);

  f.wizard().OnCancel();
  EXPECT_EQ(f.wizard().m_nEndScreenId, kIdsCancelled);
  EXPECT_FALSE(f.control(kIdCancel).IsEnabled());
  EXPECT_FALSE(f.control(kIdcNext).IsEnabled());
  EXPECT_TRUE(f.control(kIdOk).IsEnabled());
  EXPECT_EQ(f.machine().copies(), 0);
  EXPECT_TRUE(Tree(f, kTemplates).empty());

  if (point.presses == 0) {
    // The log opens on the first press only.
    EXPECT_EQ(f.StatusText(), "Installation cancelled.");
    EXPECT_FALSE(HostPathExists(f.HostPath(kLogPath)));
    return;
  }
  EXPECT_EQ(f.StatusText(),
            "Installation cancelled.\nLog file written to C:\\users\\tester\\Temp\\tplsetup.log");
  const std::vector<std::string> log = f.LogLines();
  ASSERT_GE(log.size(), 10u);
  EXPECT_EQ(log[2], "Log file opened on DD-Mon-YYYY at HH:MM:SS");
  EXPECT_EQ(std::vector<std::string>(log.end() - 4, log.end()),
            (std::vector<std::string>{"User cancelled installation", "Installation cancelled.",
                                      "Log file closed on DD-Mon-YYYY at HH:MM:SS", ""}));

  // Esc or the close box on the end screen changes nothing.
  f.wizard().OnCancel();
  EXPECT_EQ(f.LogLines(), log);
  EXPECT_EQ(f.wizard().m_nEndScreenId, kIdsCancelled);
}

INSTANTIATE_TEST_SUITE_P(Steps, CancelAtEachStep,
                         ::testing::Values(CancelPoint{1, 0, 0},  // intro
                                           CancelPoint{1, 1, 3},  // install plan
                                           CancelPoint{1, 2, 4},  // ready to install
                                           CancelPoint{2, 1, 1},  // plan, language to choose
                                           CancelPoint{2, 2, 2},  // language combo
                                           CancelPoint{2, 3, 4}),
                         [](const ::testing::TestParamInfo<CancelPoint>& point) {
                           return "Languages" + std::to_string(point.param.languages) + "Step" +
                                  std::to_string(point.param.step);
                         });

}  // namespace
}  // namespace tpl::test
