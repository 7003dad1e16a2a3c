// The start screen: the kit's welcome (its first five lines) and the about
// box from both of its doors.
#include <gtest/gtest.h>

#include "res/strings.h"
#include "support/wizard_fixture.h"

namespace tpl::test {
namespace {

TEST(StartScreen, ShowsTheIntroAndTheAboutBoxFromBothDoors) {
  WizardFixture f;
  f.prefix.AddFrontPage(kFP2002, "C:\\Program Files\\Microsoft Office\\Office10");
  f.Kit("intro.txt", "one\ntwo\nthree\nfour\nfive\nsix\nseven\n");
  f.Start();
  EXPECT_EQ(f.StatusText(), "one\ntwo\nthree\nfour\nfive\n\n" + LoadResString(kIdsIntro));

  // The button and the system menu open the same about box; the low four
  // bits of a system command are the system's own.
  f.ui.SetDefault(kIddAbout, [](DialogDriver& d) { d.PressEnter(); });
  EXPECT_TRUE(f.wizard().OnSysCommand(kScAbout | 0x2, 0));
  f.wizard().OnCommand(kIdcAbout);
  EXPECT_FALSE(f.wizard().OnSysCommand(0xF060, 0));  // SC_CLOSE: the default handling
  EXPECT_EQ(f.ui.runs(kIddAbout), 2);
  EXPECT_EQ(f.wizard().m_nEndScreenId, 0);
}

}  // namespace
}  // namespace tpl::test
