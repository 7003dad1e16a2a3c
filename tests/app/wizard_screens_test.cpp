// The start screen: the kit's welcome, the log box and the about box from
// both of its doors, until the first "Next >".
#include <gtest/gtest.h>

#include "res/strings.h"
#include "support/wizard_fixture.h"

namespace tpl::test {
namespace {

TEST(StartScreen, ShowsIntroAboutLogBoxAndNextOnlyUntilTheFirstNext) {
  WizardFixture f;
  f.prefix.AddFrontPage(kFP2002, "C:\\Program Files\\Microsoft Office\\Office10");
  f.Kit("intro.txt", "one\ntwo\nthree\nfour\nfive\nsix\nseven\n");
  f.Start();
  EXPECT_EQ(f.StatusText(), "one\ntwo\nthree\nfour\nfive\n\n" + LoadResString(kIdsIntro));
  EXPECT_EQ(f.controls().window().menu().back(),
            (std::pair<unsigned, std::string>{kScAbout, "&About Install..."}));

  // The button and the system menu open the same about box; the low four
  // bits of a system command are the system's own.
  f.ui.SetDefault(kIddAbout, [](DialogDriver& d) { d.PressEnter(); });
  EXPECT_TRUE(f.wizard().OnSysCommand(kScAbout | 0x2, 0));
  f.wizard().OnCommand(kIdcAbout);
  EXPECT_FALSE(f.wizard().OnSysCommand(0xF060, 0));  // SC_CLOSE: the default handling
  EXPECT_EQ(f.ui.runs(kIddAbout), 2);
  EXPECT_EQ(f.wizard().m_nEndScreenId, 0);

  f.Next();  // hides About and locks the log choice
  EXPECT_FALSE(f.control(kIdcAbout).IsVisible());
  EXPECT_FALSE(f.control(kIdcCreateLog).IsEnabled());
}

}  // namespace
}  // namespace tpl::test
