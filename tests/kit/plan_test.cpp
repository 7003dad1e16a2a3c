// CheckKit by version and the install plan it shows: what is listed for
// each version, each item once, and the plan's exact text and log lines.
#include <gtest/gtest.h>

#include <string>

#include "kit_fixture.h"

namespace tpl::test {
namespace {

const char kChecking[] = "Checking kit for items to install...";

TEST(InstallPlan, TwoThemesOnePageNoWebTwoFramesByteForByte) {
  KitFixture f;
  f.Kit("common/Themes/Blue/blue.inf", "title=Blue Sky\nversion=1\n");
  f.Kit("common/Themes/Green/green.inf", "title=Green Field\nversion=2.50\n");
  f.Kit("fp2000/Pages/Contact/contact.htm");
  f.KitFolder("common/Frames/Banner");
  f.KitFolder("fp2000/Frames/Footer");
  f.StartLogged();

  EXPECT_TRUE(f.wizard().CheckKit("2000"));
  EXPECT_TRUE(f.wizard().CheckKit("print"));

  EXPECT_EQ(f.StatusText(),
            "The following themes and templates will be installed.\n\n"
            "Themes:\tBlue Sky Version 1, Green Field Version 2.5\n"
            "Page templates:  contact\n"
            "Web templates:   (None)\n"
            "Frame templates: banner, footer\n");
}

TEST(InstallPlan, FrontPage2000And2003ListEachItemOnceWithVersionsAsPrintfGShowsThem) {
  KitFixture f;
  f.Kit("common/Themes/A/a.inf", "title=A\nversion=0.5\n");
  f.Kit("common/Themes/B/b.inf", "title=B\nversion=1.0000001\n");
  f.Kit("common/Themes/C/c.inf", "title=C\nversion=1234567\n");
  f.KitFolder("common/Themes/D");  // untitled: the entry starts with a blank
  f.Kit("fp2000/Themes/Red/red.inf", "title=Red\nversion=2\n");
  f.KitFolder("common/Webs/Starter");
  f.KitFolder("fp2000/Pages/Home");
  f.StartLogged();

  f.wizard().CheckKit("2000");
  f.wizard().CheckKit("2003");
  f.wizard().CheckKit("print");

  EXPECT_EQ(f.StatusText(),
            "The following themes and templates will be installed.\n\n"
            "Themes:\tA Version 0.5, B Version 1, C Version 1.23457e+06,  Version 0, "
            "Red Version 2\n"
            "Page templates:  home\n"
            "Web templates:   starter\n"
            "Frame templates: (None)\n");
}

TEST(InstallPlan, EachVersionListsTheFoldersItsCopyTakes) {
  const std::string common = "Searching common\\Themes\\*.*", fp2000 = "Searching fp2000\\Themes\\*.*";
  const Themes::value_type old{"old", "Old"}, blue{"blue", "Blue"}, fresh{"new", "New"};
  const struct { std::vector<const char*> modes; Themes themes; Strings log; } cases[] = {
      // FrontPage 98: its own folder, then the common one.
      {{"98"}, {old, blue}, {kChecking, "Searching fp98\\Themes\\*.*", common}},
      // The later versions never take "fp98".
      {{"2000"}, {blue, fresh}, {kChecking, common, fp2000}},
      {{"2002"}, {blue, fresh}, {kChecking, common, fp2000}},
      {{"2003"}, {blue, fresh}, {kChecking, common, fp2000}},
      // 98 and 2000 together share "common": listed once.
      {{"98", "2000"}, {old, blue, fresh},
       {kChecking, "Searching fp98\\Themes\\*.*", common, kChecking, common, fp2000}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.modes.back());
    KitFixture f;
    f.Kit("fp98/Themes/Old/old.inf", "title=Old\n");
    f.Kit("common/Themes/Blue/blue.inf", "title=Blue\n");
    f.Kit("fp2000/Themes/New/new.inf", "title=New\n");
    f.StartLogged();
    for (const char* mode : c.modes) f.wizard().CheckKit(mode);
    EXPECT_EQ(f.Themes(), c.themes);
    EXPECT_EQ(f.NewLogLines(), c.log);
  }
}

}  // namespace
}  // namespace tpl::test
