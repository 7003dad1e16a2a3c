// Every way to reach an end screen, then every key and button of the wizard:
// only "Finish" (and "View Readme file" when the kit has a readme) may act,
// nothing else may change the text, the outcome or the closed log, and the
// system menu's About stays.
#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "scenario_setup.h"
#include "ui/dialog_driver.h"

namespace tpl::test {
namespace {

const char kOffice[] = "C:\\Program Files\\Microsoft Office\\Office";
const char kHowToFP2000[] = "FP 2000: Go to File > New > Web.";

struct Way {
  const char* name;
  int version;                           // FrontPage installed (2000/2002), -1 for none
  std::vector<const char*> languages;    // its Office language folders
  bool readme;
  std::function<void(WizardFixture&, DialogDriver&)> reach;
  int endScreen;
  const char* shows;                     // a line the end screen must hold
};

std::set<int> UsableControls(MemoryDialog& controls) {
  std::set<int> usable;
  for (const ControlTemplate& c : controls.dialogTemplate().controls) {
    const bool acts = c.kind == ControlKind::kPushButton || c.kind == ControlKind::kDefPushButton ||
                      c.kind == ControlKind::kAutoCheckBox || c.kind == ControlKind::kDropDownList;
    MemoryPeer* peer = controls.Peer(c.id);
    if (acts && peer->IsVisible() && peer->IsEnabled()) usable.insert(c.id);
  }
  return usable;
}

TEST(EndScreen, OnlyFinishActsWhateverLedThere) {
  const auto accept = [](DialogDriver& d) { d.Click(kIdOk); };
  const Way ways[] = {
      {"cancel on the intro", 2002, {"1033"}, true,
       [](WizardFixture&, DialogDriver& d) { d.Click(kIdCancel); }, kIdsCancelled,
       "Installation cancelled."},
      {"cancel at the install plan", 2002, {"1033"}, false,
       [](WizardFixture&, DialogDriver& d) { d.Click(kIdcNext); d.Click(kIdCancel); },
       kIdsCancelled, "Installation cancelled."},
      {"cancel at the language prompt", 2002, {"1033", "1031"}, true,
       [](WizardFixture&, DialogDriver& d) {
         d.Click(kIdcNext);
         d.Click(kIdcNext);
         d.Click(kIdCancel);
       },
       kIdsCancelled, "Installation cancelled."},
      {"licence refused", 2002, {"1033"}, false,
       [](WizardFixture& f, DialogDriver& d) {
         f.ui.SetDefault(kIddLicence, [](DialogDriver& l) { l.Click(kIdCancel); });
         d.Click(kIdcNext);
         d.Click(kIdcNext);
       },
       kIdsCancelled, "Installation cancelled."},
      {"no FrontPage", -1, {}, true,
       [](WizardFixture&, DialogDriver& d) { d.Click(kIdcNext); }, kIdsFailed,
       "Installation failed. Please check the log file."},
      {"copy failure", 2002, {"1033"}, false,
       [accept](WizardFixture& f, DialogDriver& d) {
         f.ui.SetDefault(kIddLicence, accept);
         f.machine().FailCopy("", kErrorAccessDenied);
         for (int press = 0; press < 3; ++press) d.Click(kIdcNext);
       },
       kIdsFailed, "Installation failed. Please check the log file."},
      {"success, Enter on every screen", 2002, {"1033"}, true,
       [accept](WizardFixture& f, DialogDriver& d) {
         f.ui.SetDefault(kIddLicence, accept);
         for (int press = 0; press < 3; ++press) d.PressEnter();
       },
       kIdsSucceeded, "The installation was successfully completed."},
      {"success on FrontPage 2000", 2000, {"1033", "1031"}, false,
       [accept](WizardFixture& f, DialogDriver& d) {
         f.ui.SetDefault(kIddLicence, accept);
         for (int press = 0; press < 4; ++press) d.Click(kIdcNext);
       },
       kIdsSucceeded, kHowToFP2000},
  };

  for (const Way& way : ways) {
    SCOPED_TRACE(way.name);
    WizardFixture f;
    f.Kit("common/Themes/blue/blue.inf", "title=Blue\r\nversion=1\r\n");
    f.Kit("license.txt", "Terms.\r\n");
    if (way.readme) f.Kit("readme.txt", "Read me.\r\n");
    if (way.version == 2000) f.prefix.AddFrontPage(1, kOffice);
    if (way.version == 2002) f.prefix.AddFrontPage(2, kOffice10);
    for (const char* lcid : way.languages) f.prefix.AddFolder(std::string(kTemplates) + "\\" + lcid);
    f.Start();
    DialogDriver d(f.wizard(), f.controls());
    way.reach(f, d);

    ASSERT_EQ(f.wizard().m_nEndScreenId, way.endScreen);
    const std::string text = f.StatusText();
    EXPECT_NE(text.find(way.shows), std::string::npos) << text;
    const std::string log = f.LogBytes();
    const size_t boxes = f.ui.messageBoxes().size();
    std::set<int> expected{kIdOk};
    if (way.readme) expected.insert(kIdcViewReadme);
    const auto expectUnchanged = [&](const std::string& action) {
      SCOPED_TRACE(action);
      EXPECT_EQ(f.wizard().m_nEndScreenId, way.endScreen);
      EXPECT_EQ(f.StatusText(), text);
      EXPECT_EQ(f.LogBytes(), log);
      EXPECT_EQ(f.ui.messageBoxes().size(), boxes);
      EXPECT_EQ(f.ui.runs(kIddAbout), 0);
      EXPECT_EQ(UsableControls(f.controls()), expected);
      EXPECT_FALSE(f.wizard().IsEnded());
    };
    expectUnchanged("the end screen itself");

    for (const ControlTemplate& c : f.controls().dialogTemplate().controls) {
      if (c.id == kIdOk || c.id == kIdStatic) continue;
      d.Click(c.id);
      expectUnchanged("a click on control " + std::to_string(c.id));
    }
    d.Select(kIdcLanguage, 0);
    expectUnchanged("a language picked");
    d.Cancel();
    expectUnchanged("Esc or the close box");

    d.SystemCommand(kScAbout);
    EXPECT_EQ(f.ui.runs(kIddAbout), 1);

    ASSERT_EQ(d.DefaultButton(), kIdOk);
    EXPECT_TRUE(d.PressEnter());
    EXPECT_TRUE(f.wizard().IsEnded());
    EXPECT_EQ(f.wizard().Result(), kIdOk);
  }
}

}  // namespace
}  // namespace tpl::test
