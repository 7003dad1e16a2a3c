// Every way to reach an end screen, each with its whole text, the message
// boxes on the way and, for some, the whole log; then every key and button
// of the wizard: only "Finish" (and "View Readme file" when the kit has a
// readme) may act, nothing else may change the text, the outcome or the
// closed log, and the system menu's About stays.
#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "scenario_setup.h"
#include "ui/dialog_driver.h"

namespace tpl::test {
namespace {

using Reach = std::function<void(WizardFixture&, DialogDriver&)>;

enum Readme { kNoReadme, kReadmeOpened, kReadmeUnticked };

struct Way {
  const char* name;
  std::vector<int> found;               // FrontPage versions on the machine
  std::vector<const char*> languages;   // their Office language folders
  Readme readme;
  Reach reach;
  int endScreen;
  std::string text;                     // the end screen's whole text
  std::vector<std::pair<unsigned, std::string>> boxes = {};  // the message boxes on the way
  const char* log = nullptr;            // the whole log's data file
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

// "Next >" `presses` times, then Cancel (or Esc); the log opens on the first press only.
Reach CancelAfter(int presses, bool esc = false) {
  return [=](WizardFixture& f, DialogDriver& d) {
    for (int i = 0; i < presses; ++i) d.Click(kIdcNext);
    esc ? d.Cancel() : void(d.Click(kIdCancel));
    EXPECT_EQ(HostPathExists(f.HostPath(kLogPath)), presses > 0);
  };
}

// The versions ticked in the version dialog, then "Next >" while it can be pressed.
Reach NextToTheEnd(std::vector<int> chosen = {}) {
  return [=](WizardFixture& f, DialogDriver& d) {
    f.ui.Queue(kIddVersions, [chosen](DialogDriver& v) {
      const int ids[] = {kIdcFP98, kIdcFP2000, kIdcFP2002, kIdcFP2003};
      for (int version : chosen) v.Click(ids[version]);
      v.Click(kIdOk);
    });
    for (int press = 0; press < 8 && d.Click(kIdcNext); ++press) {
    }
  };
}

Reach RefuseLicence(bool esc) {
  return [=](WizardFixture& f, DialogDriver& d) {
    f.ui.SetDefault(kIddLicence,
                    [esc](DialogDriver& l) { esc ? l.Cancel() : void(l.Click(kIdCancel)); });
    d.Click(kIdcNext);
    d.Click(kIdcNext);
  };
}

TEST(EndScreen, OnlyFinishActsWhateverLedThere) {
  const std::string done = std::string("The installation was successfully completed.\n") +
                           "Log file written to " + kLogPath + "\n\n" +
                           "Create a new starter web site using the web template:";
  const std::string fp2000 = "\nFP 2000: Go to File > New > Web.";
  const std::string fp2002 =
      "\nFP 2002: Go to File > New > Page or Web. Click on \"Web Site Templates\" in the right "
      "column.";
  const std::string fp2003 =
      "\nFP 2003: Go to File > New. Click on \"More Web Site Templates\" in the right column.  "
      "This template is listed under the \"My Templates\" tab";
  const std::string noLog = "The installation was successfully completed.\n\n"
                            "Create a new starter web site using the web template:" + fp2002;
  const std::vector<int> all = {kFP98, kFP2000, kFP2002, kFP2003}, fp2002Only = {kFP2002};
  const Way ways[] = {
      {"cancel on the intro", fp2002Only, {"1033"}, kReadmeOpened, CancelAfter(0), kIdsCancelled,
       "Installation cancelled."},
      {"cancel at the install plan", fp2002Only, {"1033"}, kNoReadme, CancelAfter(1),
       kIdsCancelled, kCancelledWithLog},
      {"Esc at the language prompt", fp2002Only, {"1033", "1031"}, kReadmeUnticked,
       CancelAfter(2, true), kIdsCancelled, kCancelledWithLog},
      {"cancel when ready to install", fp2002Only, {"1033"}, kNoReadme, CancelAfter(2),
       kIdsCancelled, kCancelledWithLog},
      {"licence refused", fp2002Only, {"1033"}, kNoReadme, RefuseLicence(false), kIdsCancelled,
       kCancelledWithLog, {}, "scenarios/logs/fp2002_licence_refused"},
      {"licence refused by Esc", fp2002Only, {"1033"}, kNoReadme, RefuseLicence(true),
       kIdsCancelled, kCancelledWithLog, {}, "scenarios/logs/fp2002_licence_refused"},
      {"no FrontPage", {}, {}, kReadmeOpened, NextToTheEnd(), kIdsFailed, kFailedWithLog,
       {{kMbIconStop, "Installation Error.  FrontPage not found."}}, "scenarios/logs/no_frontpage"},
      {"copy failure", fp2002Only, {"1033"}, kNoReadme,
       [](WizardFixture& f, DialogDriver& d) {
         f.machine().FailCopy("", kErrorAccessDenied);
         NextToTheEnd()(f, d);
       },
       kIdsFailed, kFailedWithLog,
       {{kMbIconExclamation, std::string("File copy failed:: ") + kShared +
                                 "\\themes\\blue\\blue.css\nReason: (5) Access is denied.\r\n"}}},
      {"success, Enter on every screen", fp2002Only, {"1033"}, kReadmeOpened,
       [](WizardFixture&, DialogDriver& d) {
         for (int press = 0; press < 3; ++press) d.PressEnter();
       },
       kIdsSucceeded, done + fp2002},
      {"success with the log box unticked", fp2002Only, {"1033"}, kNoReadme,
       [](WizardFixture& f, DialogDriver& d) {
         f.prefix.AddFile(kLogPath, "the log of an earlier run\r\n");
         d.Click(kIdcCreateLog);
         NextToTheEnd()(f, d);
         EXPECT_EQ(ReadHostFile(f.HostPath(kLogPath)), "the log of an earlier run\r\n");
       },
       kIdsSucceeded, noLog},
      // A log that can no longer be written is dropped at once: the
      // installation goes on, and the end screen names no log.
      {"success with a log that could no longer be written", fp2002Only, {"1033"}, kNoReadme,
       [](WizardFixture& f, DialogDriver& d) {
         f.machine().FailLogWrite(10, kErrorDiskFull);
         NextToTheEnd()(f, d);
         EXPECT_FALSE(f.Logged("The installation was successfully completed."));
       },
       kIdsSucceeded, noLog},
      // The version dialog's first answer ticks nothing: the first step
      // comes again, and the log that failed to open stays off.
      {"a log that failed to open, the first step repeated", {kFP2002, kFP2003}, {"1033"},
       kNoReadme,
       [](WizardFixture& f, DialogDriver& d) {
         f.machine().FailNextLogOpen(kErrorDiskFull);
         f.ui.Queue(kIddVersions, [](DialogDriver& v) { v.Click(kIdOk); });
         NextToTheEnd({kFP2003})(f, d);
         EXPECT_FALSE(HostPathExists(f.HostPath(kLogPath)));
       },
       kIdsSucceeded, "The installation was successfully completed.\n\n"
                      "Create a new starter web site using the web template:" + fp2003,
       {{kMbOk, kNote2003}}},
      {"success on FrontPage 2000 with two languages", {kFP2000}, {"1033", "1031"}, kNoReadme,
       NextToTheEnd(), kIdsSucceeded, done + fp2000},
      {"FrontPage 98 chosen of four", all, {}, kNoReadme, NextToTheEnd({kFP98}),
       kIdsSucceeded, done},
      {"FrontPage 2003 chosen of four", all, {}, kReadmeUnticked, NextToTheEnd({kFP2003}),
       kIdsSucceeded, done + fp2003, {{kMbOk, kNote2003}}},
      {"all four chosen", all, {}, kNoReadme, NextToTheEnd(all), kIdsSucceeded,
       done + fp2000 + fp2002 + fp2003, {{kMbOk, kNote2003}}},
  };

  for (const Way& way : ways) {
    SCOPED_TRACE(way.name);
    WizardFixture f;
    SmallKit(f);
    f.ui.SetDefault(kIddLicence, [](DialogDriver& l) { l.Click(kIdOk); });
    const char* roots[] = {kFrontPage98, kOffice, kOffice10, kOffice11};
    for (int version : way.found) f.prefix.AddFrontPage(version, roots[version]);
    if (way.found.size() == 4) f.Kit("fp98/Pages/simple/simple.htm", "<html></html>\r\n");
    for (const char* lcid : way.languages) f.prefix.AddFolder(std::string(kTemplates) + "\\" + lcid);
    if (way.readme != kNoReadme) f.Kit("readme.txt", "Read me.\r\n");
    f.Start();
    DialogDriver d(f.wizard(), f.controls());
    way.reach(f, d);

    ASSERT_EQ(f.wizard().m_nEndScreenId, way.endScreen);
    EXPECT_EQ(f.StatusText(), way.text);
    std::vector<std::pair<unsigned, std::string>> boxes;
    for (const auto& box : f.ui.messageBoxes()) boxes.emplace_back(box.type, box.text);
    EXPECT_EQ(boxes, way.boxes);
    if (way.log) ExpectLogFile(f, way.log);
    EXPECT_TRUE(way.endScreen != kIdsCancelled || f.machine().copies() == 0);

    const std::string log = f.LogBytes();
    const std::set<int> expected = way.readme == kNoReadme ? std::set<int>{kIdOk}
                                                           : std::set<int>{kIdOk, kIdcViewReadme};
    const auto expectUnchanged = [&](const std::string& action) {
      SCOPED_TRACE(action);
      EXPECT_EQ(f.wizard().m_nEndScreenId, way.endScreen);
      EXPECT_EQ(f.StatusText(), way.text);
      EXPECT_EQ(f.LogBytes(), log);
      EXPECT_EQ(f.ui.messageBoxes().size(), way.boxes.size());
      EXPECT_EQ(f.ui.runs(kIddAbout), 0);
      EXPECT_EQ(UsableControls(f.controls()), expected);
      EXPECT_FALSE(f.wizard().IsEnded());
    };
    expectUnchanged("the end screen itself");
    EXPECT_EQ(f.control(kIdcViewReadme).Check(), way.readme == kNoReadme ? kBstUnchecked : kBstChecked);

    for (const ControlTemplate& c : f.controls().dialogTemplate().controls) {
      if (c.id == kIdOk || c.id == kIdStatic) continue;
      d.Click(c.id);  // the readme box, when offered, is now unticked
      expectUnchanged("a click on control " + std::to_string(c.id));
    }
    d.Select(kIdcLanguage, 0);
    expectUnchanged("a language picked");
    d.Cancel();
    expectUnchanged("Esc or the close box");

    d.SystemCommand(kScAbout);
    EXPECT_EQ(f.ui.runs(kIddAbout), 1);

    // "Finish" opens the readme only while its box is ticked.
    if (way.readme == kReadmeOpened) d.Click(kIdcViewReadme);
    ASSERT_EQ(d.DefaultButton(), kIdOk);
    EXPECT_TRUE(d.PressEnter());
    EXPECT_TRUE(f.wizard().IsEnded());
    EXPECT_EQ(f.wizard().Result(), kIdOk);
    EXPECT_EQ(f.ui.openedFiles().size(), way.readme == kReadmeOpened ? 1u : 0u);
  }
}

}  // namespace
}  // namespace tpl::test
