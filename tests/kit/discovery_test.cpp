// FindKitItems: themes with their description files, templates by folder,
// the result flag and its one log line.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "kit_fixture.h"

namespace tpl::test {
namespace {

TEST(FindKitItems, ReadsDescriptionsAndListsSubFoldersOnly) {
  KitFixture f;
  std::string binary;
  for (int i = 0; i < 4096; ++i) binary += static_cast<char>((i * 37 + 11) & 0xFF);
  const std::string title(300000, 'L');
  f.Kit("common/Themes/Alpha/alpha.inf", "title=First\r\nversion=1\r\ntitle=Second\r\nversion=2.50\r\n");
  f.Kit("common/Themes/Beta/readme.txt", "no description file here");
  f.Kit("common/Themes/Gamma/gamma.inf", "version=beta\n[x]\n");  // defaults after a titled theme
  f.Kit("common/Themes/Delta/DELTA.INF", "Title=Delta Blues");  // no line end at all
  f.Kit("common/Themes/Binary/binary.inf", binary);
  f.Kit("common/Themes/Long/long.inf", std::string(200000, 'x') + "\ntitle=" + title +
                                           "\nversion=" + std::string(100000, '9'));
  f.Kit("common/Themes/Nul/nul.inf", std::string("title=Ab\0cd\nversion=1.5\n", 24));
  f.KitFolder("common/Themes/Folder/folder.inf");  // a folder where the file should be
  f.Kit("common/Themes/My Theme/my theme.inf", "title=Mine\n");
  f.Kit("fp2000/themes/Corporate/corporate.inf", "title=Corporate");
  f.Kit("fp2000/themes/loose.inf", "title=Loose");  // files in kind folders are ignored
  f.Kit("fp2000/PAGES/Contact Us/index.htm");
  f.Kit("fp2000/PAGES/stray.htm");
  f.Kit("fp2000/Webs/Caf\xC3\xA9 Site/index.htm");  // non-ASCII bytes kept
  f.KitFolder("fp2000/frames/Banner");
  f.KitFolder("fp2000/frames/Contents");
  f.Start();

  EXPECT_TRUE(f.wizard().FindKitItems("common"));
  EXPECT_TRUE(f.wizard().FindKitItems("fp2000"));
  Themes themes = f.Themes();
  ASSERT_EQ(themes.size(), 10u);
  EXPECT_EQ(themes[6].second, title);
  themes[6].second = "L...";
  themes[2].second = "";  // binary: whatever its lines gave, without a crash
  // A line ends at its first NUL, as in a CString.
  EXPECT_EQ(themes, (Themes{{"alpha", "Second"}, {"beta", ""}, {"binary", ""},
                            {"delta", "Delta Blues"}, {"folder", ""}, {"gamma", ""},
                            {"long", "L..."}, {"my theme", "Mine"}, {"nul", "Ab"},
                            {"corporate", "Corporate"}}));
  std::vector<double> versions = f.Versions();
  versions[2] = 0;
  EXPECT_EQ(versions, (std::vector<double>{2.5, 0, 0, 0, 0, 0, HUGE_VAL, 0, 1.5, 0}));
  EXPECT_EQ(f.wizard().m_arrPages, (Strings{"contact us"}));
  EXPECT_EQ(f.wizard().m_arrWebs, (Strings{"caf\xC3\xA9 site"}));
  EXPECT_EQ(f.wizard().m_arrFrames, (Strings{"banner", "contents"}));
}

TEST(FindKitItems, TheResultFlagAndTheOneSearchingLine) {
  KitFixture f;
  f.KitFolder("common/Frames");  // an empty "Frames" alone gives true
  f.Kit("fp98/notes.txt", "x");  // no kind folder
  for (const char* kind : {"Themes", "Pages", "Webs", "Frames"}) f.Kit(std::string("files/") + kind);
  f.StartLogged();

  EXPECT_TRUE(f.wizard().FindKitItems("common"));
  EXPECT_FALSE(f.wizard().FindKitItems("fp98"));
  EXPECT_FALSE(f.wizard().FindKitItems("fp2000"));  // no such kit folder at all
  EXPECT_FALSE(f.wizard().FindKitItems("files"));   // kind "folders" that are files
  EXPECT_TRUE(f.wizard().m_arrThemes.empty());
  EXPECT_TRUE(f.wizard().m_arrPages.empty());
  EXPECT_TRUE(f.wizard().m_arrFrames.empty());
  EXPECT_EQ(f.NewLogLines(), (Strings{"Searching common\\Themes\\*.*", "Searching fp98\\Themes\\*.*",
                                      "Searching fp2000\\Themes\\*.*", "Searching files\\Themes\\*.*"}));
}

TEST(FindKitItems, AReadFailureDropsThatThemeAndClearsTheFlagUntilSomethingElseIsFound) {
  // (themes, failing theme, good lines) -> result, themes listed
  const auto run = [](const Strings& themes, const std::string& failing, int goodLines,
                      bool webs) {
    KitFixture f;
    for (const std::string& name : themes) {
      f.Kit("common/Themes/" + name + "/" + name + ".inf", "title=" + name + "\nversion=2\n");
    }
    if (webs) f.KitFolder("common/Webs");
    f.Start();
    f.machine().FailTextRead("common\\themes\\" + failing + "\\" + failing + ".inf", goodLines,
                             kErrorNotEnoughMemory);
    const bool found = f.wizard().FindKitItems("common");
    return std::make_pair(found, f.Themes());
  };
  // The failing theme is the last entry and nothing follows.
  EXPECT_EQ(run({"aqua", "zinc"}, "zinc", 1, false), std::make_pair(false, Themes{{"aqua", "aqua"}}));
  // A later theme entry sets the flag again; so does a later kind folder.
  EXPECT_EQ(run({"aqua", "zinc"}, "aqua", 0, false), std::make_pair(true, Themes{{"zinc", "zinc"}}));
  EXPECT_EQ(run({"zinc"}, "zinc", 0, true), std::make_pair(true, Themes{}));
}

TEST(FindKitItems, AnItemFoundAgainIsListedOnceWithItsFirstDescription) {
  KitFixture f;
  f.Kit("common/Themes/Blue/blue.inf", "title=Common Blue\nversion=1\n");
  f.Kit("fp2000/Themes/BLUE/blue.inf", "title=Other Blue\nversion=2\n");
  f.Kit("fp2000/Themes/Red/red.inf", "title=Red\n");
  f.KitFolder("common/Pages/Home");
  f.KitFolder("fp2000/Pages/home");
  f.KitFolder("fp2000/Pages/About");
  f.StartLogged();

  EXPECT_TRUE(f.wizard().FindKitItems("common"));
  EXPECT_TRUE(f.wizard().FindKitItems("fp2000"));
  EXPECT_TRUE(f.wizard().FindKitItems("common"));  // searched again: nothing new
  EXPECT_EQ(f.Themes(), (Themes{{"blue", "Common Blue"}, {"red", "Red"}}));
  EXPECT_EQ(f.Versions(), (std::vector<double>{1, 0}));
  EXPECT_EQ(f.wizard().m_arrPages, (Strings{"home", "about"}));
  EXPECT_EQ(f.NewLogLines(),
            (Strings{"Searching common\\Themes\\*.*", "Searching fp2000\\Themes\\*.*",
                     "Searching common\\Themes\\*.*"}));

  // Emptying the lists forgets them: the next search lists everything again.
  f.wizard().EmptyKitLists();
  EXPECT_TRUE(f.wizard().FindKitItems("fp2000"));
  EXPECT_EQ(f.Themes(), (Themes{{"blue", "Other Blue"}, {"red", "Red"}}));
}

}  // namespace
}  // namespace tpl::test
