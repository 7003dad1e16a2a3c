// Whole runs of the wizard with several FrontPage versions or several Office
// language folders: the version dialog, the language combo, a first step
// that has to be repeated, a copy that fails in the second version, and a
// language that one version has and the other has not.
#include <gtest/gtest.h>

#include <cstdio>

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
    d.Click(kIdcFP2003);  // clears the preselection: nothing is chosen
    d.Click(kIdOk);
  });
  f.ui.Queue(kIddVersions, [](DialogDriver& d) {
    EXPECT_EQ(d.control(kIdcFP2003).Check(), kBstChecked);  // preselected again
    d.Click(kIdcFP2002);
    d.Click(kIdOk);
  });
  f.Start();
  f.Next(4);

  EXPECT_EQ(f.wizard().m_nEndScreenId, kIdsSucceeded);
  // The log names every folder made and every file copied.
  ExpectLogFile(f, "scenarios/logs/fp2002_fp2003_installed");
  EXPECT_EQ(f.machine().pauses(), (std::vector<uint32_t>{500, 500}));
}

// A combo left without a selection means English; a selection outside the
// list is none, as in Windows.
TEST(SeveralVersions, NoLanguageSelectedFallsBackToEnglish) {
  WizardFixture f;
  SmallKitOn2002(f, {"1031", "1036"});
  f.Start();
  f.Next(2);
  f.control(kIdcLanguage).SetCurSel(2);
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
  ExpectLogFile(f, "scenarios/logs/fp98_fp2002_copy_failed");
}

// Two FrontPage versions on a machine with two Office language folders: the
// language asked by one version's planning pass must be asked even when a
// later version needs none, and every version's files must go to its own
// folders in the chosen language.
const char kOfficeXp[] = "C:\\Office XP\\Office10";
const char kOfficeXpTemplates[] = "C:\\Office XP\\templates";

// The small kit without its licence on FrontPage 2002 (templates 1031 and
// 1033) and FrontPage 2003.
TEST(TwoLanguages, EveryVersionGetsTheChosenLanguageInItsOwnFolders) {
  WizardFixture f;
  SmallKitOn2002(f, {"1033", "1031"});
  std::remove((f.kitDir + "/license.txt").c_str());
  f.prefix.AddFrontPage(3, kOffice11);
  f.prefix.SetCurrentFrontPage(kOffice11);
  f.ui.Queue(kIddVersions, [](DialogDriver& d) {
    d.Click(kIdcFP2002);
    d.Click(kIdOk);
  });
  f.Start();
  f.Next(2);  // the log shows each language folder once, though two passes found them
  MemoryPeer& combo = f.control(kIdcLanguage);
  ASSERT_EQ(combo.ItemData(0), 1031u);
  combo.SetCurSel(0);
  f.Next(2);

  EXPECT_EQ(f.wizard().m_nEndScreenId, kIdsSucceeded);
  EXPECT_EQ(f.ui.runs(kIddLicence), 0);
  ExpectLogFile(f, "scenarios/logs/fp2002_fp2003_language_chosen");
}

// FrontPage 2000 and 2002 in two Office folders: the language chosen from the
// first one's templates, or settled by its only folder, is missing beside the
// second, which then fails without a folder made up for it.
TEST(TwoLanguages, LanguageMissingBesideAVersionFailsIt) {
  for (const bool chosen : {true, false}) {
    SCOPED_TRACE(chosen ? "chosen" : "settled by FrontPage 2000's only folder");
    WizardFixture f;
    SmallKit(f);
    f.ui.SetDefault(kIddLicence, [](DialogDriver& d) { d.Click(kIdOk); });
    f.prefix.AddFrontPage(1, kOffice);
    f.prefix.AddFrontPage(2, kOfficeXp);
    f.prefix.SetCurrentFrontPage(kOfficeXp);
    const std::string first = chosen ? "1031" : "1033";
    const std::string second = chosen ? "1033" : "1031";
    f.prefix.AddFolder(std::string(kTemplates) + "\\" + first);
    if (chosen) f.prefix.AddFolder(std::string(kTemplates) + "\\" + second);
    f.prefix.AddFolder(std::string(kOfficeXpTemplates) + "\\" + second);
    f.ui.SetDefault(kIddVersions, [](DialogDriver& d) {
      d.Click(kIdcFP2000);
      d.Click(kIdOk);
    });
    f.Start();
    if (chosen) {
      f.Next(2);
      ASSERT_EQ(f.control(kIdcLanguage).ItemData(0), 1031u);
      f.Next(2);
    } else {
      f.Next();  // the plan already finds the folder missing
    }

    EXPECT_EQ(f.wizard().m_nEndScreenId, kIdsFailed);
    EXPECT_EQ(CountLines(f.LogLines(),
                         "FrontPage 2002 has no language folder C:\\Office XP\\templates\\" + first),
              1u);
    // FrontPage 2000 went first with the chosen language; a settled one fails before any copy.
    EXPECT_EQ(Tree(f, std::string(kTemplates) + "\\" + first + "\\pages"),
              chosen ? std::vector<std::string>{"welcome/welcome.htm"} : std::vector<std::string>{});
    EXPECT_EQ(Tree(f, kOfficeXpTemplates), std::vector<std::string>{});
  }
}

}  // namespace
}  // namespace tpl::test
