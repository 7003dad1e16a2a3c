// Whole runs of the wizard with several FrontPage versions or several Office
// language folders: the version dialog, the language combo, a first step
// that has to be repeated, and a copy that fails in the second version.
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
    EXPECT_FALSE(d.control(kIdcFP98).IsEnabled() || d.control(kIdcFP2000).IsEnabled());
    EXPECT_EQ(d.control(kIdcFP2002).Check(), kBstUnchecked);
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
  EXPECT_TRUE(f.control(kIdcNext).IsEnabled());
  f.Next(3);

  EXPECT_TRUE(f.ui.messageBoxes().empty());  // the 2003 note only comes when a click ticks it
  EXPECT_EQ(f.wizard().m_nEndScreenId, kIdsSucceeded);
  ExpectLogFile(f, "scenarios/logs/fp2002_fp2003_installed");
  const std::string ro = "C:\\users\\tester\\AppData\\Roaming\\Microsoft\\";
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
  f.Next(2);
  EXPECT_EQ(f.StatusText(), "Please select the language for your FrontPage installation.");
  MemoryPeer& combo = f.control(kIdcLanguage);
  ASSERT_EQ(combo.Count(), 2);
  EXPECT_EQ(combo.ItemText(0), "German (1031)");
  EXPECT_EQ(combo.ItemText(1), "English (1033)");
  EXPECT_EQ(combo.CurSel(), 0);
  combo.SetCurSel(1);
  f.Next(2);  // the language and the licence, then the copy
  EXPECT_EQ(f.wizard().m_nEndScreenId, kIdsSucceeded);
  ExpectLogFile(f, "scenarios/logs/fp2002_language_chosen");
  EXPECT_EQ(Tree(f, kTemplates), (std::vector<std::string>{"1033/pages/welcome/welcome.htm",
                                                            "1033/webs/club/index.htm"}));
}

// A combo left without a selection means English.
TEST(SeveralVersions, NoLanguageSelectedFallsBackToEnglish) {
  WizardFixture f;
  SmallKitOn2002(f, {"1031", "1036"});
  f.Start();
  f.Next(2);
  f.control(kIdcLanguage).SetCurSel(-1);
  f.Next(2);
  EXPECT_EQ(f.wizard().m_strLanguage, "1033");
  EXPECT_TRUE(f.Logged("User chose to install for language LCID 1033"));
  // English is no folder of this version: nothing is made up for it.
  EXPECT_EQ(f.wizard().m_nEndScreenId, kIdsFailed);
  EXPECT_TRUE(f.Logged(std::string("FrontPage 2002 has no language folder ") + kTemplates + "\\1033"));
  EXPECT_EQ(Tree(f, kTemplates), std::vector<std::string>{});
}

TEST(SeveralVersions, CopyFailureInTheSecondVersionKeepsTheFirst) {
  WizardFixture f;
  SmallKitOn2002(f);
  f.Kit("fp98/Pages/simple/simple.htm", "<html></html>\r\n");
  f.prefix.AddFrontPage(0, kFrontPage98);
  f.ui.Queue(kIddVersions, [](DialogDriver& d) {
    d.Click(kIdcFP98);
    d.Click(kIdcFP2002);
    d.Click(kIdOk);
  });
  f.Start();
  const std::string failing = std::string(kShared) + "\\themes\\blue\\blue.css";
  f.machine().FailCopy(failing, 5);
  f.Next(3);

  EXPECT_EQ(f.wizard().m_nEndScreenId, kIdsFailed);
  // FrontPage 98 got everything of its plan, FrontPage 2002 nothing.
  EXPECT_EQ(Tree(f, kFrontPage98),
            Sorted({"bin/fpexplor.exe", "pages/simple/simple.htm", "pages/welcome/welcome.htm",
                    "themes/blue/blue.css", "themes/blue/blue.inf"}));
  EXPECT_TRUE(Tree(f, kTemplates).empty());
  ExpectLogFile(f, "scenarios/logs/fp98_fp2002_copy_failed");
}

}  // namespace
}  // namespace tpl::test
