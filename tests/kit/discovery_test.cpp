// FindKitItems: themes with their description files, templates by folder,
// the result flag and its one log line.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "kit/theme_description.h"
#include "kit_fixture.h"

namespace tpl::test {
namespace {

TEST(ThemeDescription, ValueFollowsTheLinesFirstCharactersWhereverTheKeyIs) {
  struct Case {
    const char* line;
    const char* title;
  } const cases[] = {
      {"Title=Ocean Breeze", "Ocean Breeze"},  // key in capitals, letters as written
      {"TITLE= Spaced ", " Spaced "},          // nothing trimmed
      {" title=Blue", "=Blue"},                // one blank: the "=" stays
      {"  title=Blue", "e=Blue"},              // two blanks: "e=" stays
      {"title=", ""},
      {"xtitle=", "="},
      {"title=A version=2", "A version=2"},  // both keys: a title line
  };
  for (const Case& c : cases) {
    ThemeDescription description;
    description.version = 7;
    ApplyDescriptionLine(c.line, &description);
    EXPECT_EQ(description.title, c.title) << c.line;
    EXPECT_EQ(description.version, 7) << c.line;
  }
}

TEST(ThemeDescription, VersionLinesAndIgnoredLines) {
  ThemeDescription description;
  ApplyDescriptionLine("Version=2.50", &description);
  EXPECT_EQ(description.version, 2.5);
  ApplyDescriptionLine("version=beta", &description);  // letters only
  EXPECT_EQ(description.version, 0);
  ApplyDescriptionLine("version=3rc1", &description);
  EXPECT_EQ(description.version, 3);
  ApplyDescriptionLine(" version=4", &description);  // 8 characters dropped: "=4"
  EXPECT_EQ(description.version, 0);
  ApplyDescriptionLine("[info]", &description);
  ApplyDescriptionLine("titles=x", &description);  // no "title=": ignored
  ApplyDescriptionLine("titl", &description);
  EXPECT_EQ(description.title, "");
  EXPECT_EQ(description.version, 0);
}

TEST(FindKitItems, ReadsEachThemesDescriptionLastKeyWinsAndDefaultsPerTheme) {
  KitFixture f;
  f.Kit("common/Themes/Alpha/alpha.inf", "title=First\r\nversion=1\r\ntitle=Second\r\nversion=2.50\r\n");
  f.Kit("common/Themes/Beta/readme.txt", "no description file here");
  f.Kit("common/Themes/Gamma/gamma.inf", "version=beta\n[x]\n");
  f.Kit("common/Themes/Delta/DELTA.INF", "Title=Delta Blues");  // no line end at all
  f.Start();

  EXPECT_TRUE(f.wizard().FindKitItems("common"));
  EXPECT_EQ(f.Themes(), (Themes{{"alpha", "Second"},
                                {"beta", ""},
                                {"delta", "Delta Blues"},
                                {"gamma", ""}}));
  EXPECT_EQ(f.Versions(), (std::vector<double>{2.5, 0, 0, 0}));
}

TEST(FindKitItems, ListsSubFoldersInLowerCaseAndIgnoresFilesAndKindFolderCase) {
  KitFixture f;
  f.Kit("fp2000/themes/Corporate/corporate.inf", "title=Corporate");
  f.Kit("fp2000/themes/loose.inf", "title=Loose");
  f.Kit("fp2000/PAGES/Contact Us/index.htm");
  f.Kit("fp2000/PAGES/stray.htm");
  f.Kit("fp2000/Webs/Caf\xC3\xA9 Site/index.htm");  // non-ASCII bytes kept
  f.KitFolder("fp2000/frames/Banner");
  f.KitFolder("fp2000/frames/Contents");
  f.Start();

  EXPECT_TRUE(f.wizard().FindKitItems("fp2000"));
  EXPECT_EQ(f.Themes(), (Themes{{"corporate", "Corporate"}}));
  EXPECT_EQ(f.wizard().m_arrPages, (Strings{"contact us"}));
  EXPECT_EQ(f.wizard().m_arrWebs, (Strings{"caf\xC3\xA9 site"}));
  EXPECT_EQ(f.wizard().m_arrFrames, (Strings{"banner", "contents"}));
}

TEST(FindKitItems, AnEmptyFramesFolderAloneMakesTheResultTrue) {
  KitFixture f;
  f.KitFolder("common/Frames");
  f.StartLogged();

  EXPECT_TRUE(f.wizard().FindKitItems("common"));
  EXPECT_TRUE(f.wizard().m_arrThemes.empty());
  EXPECT_TRUE(f.wizard().m_arrFrames.empty());
  EXPECT_EQ(f.NewLogLines(), (Strings{"Searching common\\Themes\\*.*"}));
}

TEST(FindKitItems, NoKindFolderGivesFalseAndOnlyTheSearchingLine) {
  KitFixture f;
  f.Kit("fp98/notes.txt", "x");
  f.StartLogged();

  EXPECT_FALSE(f.wizard().FindKitItems("fp98"));
  EXPECT_FALSE(f.wizard().FindKitItems("fp2000"));  // no such kit folder at all
  EXPECT_EQ(f.NewLogLines(),
            (Strings{"Searching fp98\\Themes\\*.*", "Searching fp2000\\Themes\\*.*"}));
  EXPECT_TRUE(f.wizard().m_arrThemes.empty());
  EXPECT_TRUE(f.wizard().m_arrPages.empty());
}

TEST(FindKitItems, KindFoldersThatAreFilesListNothing) {
  KitFixture f;
  f.Kit("common/Themes", "a file, not a folder");
  f.Kit("common/Pages", "");
  f.Kit("common/Webs", "");
  f.Kit("common/Frames", "");
  f.Start();

  EXPECT_FALSE(f.wizard().FindKitItems("common"));
  EXPECT_TRUE(f.wizard().m_arrThemes.empty());
  EXPECT_TRUE(f.wizard().m_arrPages.empty());
}

TEST(FindKitItems, AReadFailureDropsThatThemeAndClearsTheFlagUntilSomethingElseIsFound) {
  {
    KitFixture f;  // the failing theme is the last entry and nothing follows
    f.Kit("common/Themes/Aqua/aqua.inf", "title=Aqua\n");
    f.Kit("common/Themes/Zinc/zinc.inf", "title=Zinc\nversion=2\n");
    f.Start();
    f.machine().FailTextRead("common\\themes\\zinc\\zinc.inf", 1, kErrorNotEnoughMemory);
    EXPECT_FALSE(f.wizard().FindKitItems("common"));
    EXPECT_EQ(f.Themes(), (Themes{{"aqua", "Aqua"}}));
  }
  {
    KitFixture f;  // a later theme entry sets the flag again
    f.Kit("common/Themes/Aqua/aqua.inf", "title=Aqua\n");
    f.Kit("common/Themes/Zinc/zinc.inf", "title=Zinc\n");
    f.Start();
    f.machine().FailTextRead("common\\themes\\aqua\\aqua.inf", 0, 30);
    EXPECT_TRUE(f.wizard().FindKitItems("common"));
    EXPECT_EQ(f.Themes(), (Themes{{"zinc", "Zinc"}}));
  }
  {
    KitFixture f;  // so does a later kind folder
    f.Kit("common/Themes/Zinc/zinc.inf", "title=Zinc\n");
    f.KitFolder("common/Webs");
    f.Start();
    f.machine().FailTextRead("common\\themes\\zinc\\zinc.inf", 0, 30);
    EXPECT_TRUE(f.wizard().FindKitItems("common"));
    EXPECT_TRUE(f.wizard().m_arrThemes.empty());
  }
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

TEST(FindKitItems, BadDescriptionFilesGiveTheirThemeSomethingOrTheDefaults) {
  KitFixture f;
  std::string binary;
  for (int i = 0; i < 4096; ++i) binary += static_cast<char>((i * 37 + 11) & 0xFF);
  f.Kit("common/Themes/Binary/binary.inf", binary);
  f.Kit("common/Themes/Long/long.inf",
        std::string(200000, 'x') + "\ntitle=" + std::string(300000, 'L') + "\nversion=" +
            std::string(100000, '9'));
  f.Kit("common/Themes/Nul/nul.inf", std::string("title=Ab\0cd\nversion=1.5\n", 24));
  f.KitFolder("common/Themes/Folder/folder.inf");  // a folder where the file should be
  f.Kit("common/Themes/My Theme/my theme.inf", "title=Mine\n");
  f.Start();

  EXPECT_TRUE(f.wizard().FindKitItems("common"));
  ASSERT_EQ(f.wizard().m_arrThemes.size(), 5u);
  const auto& themes = f.wizard().m_arrThemes;
  EXPECT_EQ(themes[0]->GetName(), "binary");
  EXPECT_EQ(themes[1]->GetName(), "folder");
  EXPECT_EQ(themes[1]->GetTitle(), "");
  EXPECT_EQ(themes[1]->GetVersion(), 0);
  EXPECT_EQ(themes[2]->GetName(), "long");
  EXPECT_EQ(themes[2]->GetTitle(), std::string(300000, 'L'));
  EXPECT_EQ(themes[2]->GetVersion(), HUGE_VAL);
  EXPECT_EQ(themes[3]->GetName(), "my theme");
  EXPECT_EQ(themes[3]->GetTitle(), "Mine");
  EXPECT_EQ(themes[4]->GetName(), "nul");
  EXPECT_EQ(themes[4]->GetTitle(), "Ab");  // a line ends at its first NUL, as in a CString
  EXPECT_EQ(themes[4]->GetVersion(), 1.5);
}

TEST(FindKitItems, ThousandsOfItems) {
  KitFixture f;
  constexpr int kItems = 2000;
  for (int i = 0; i < kItems; ++i) {
    f.KitFolder("common/Themes/T" + std::to_string(i));
    f.KitFolder("common/Pages/P" + std::to_string(i));
  }
  f.Start();

  EXPECT_TRUE(f.wizard().FindKitItems("common"));
  EXPECT_TRUE(f.wizard().FindKitItems("common"));
  EXPECT_EQ(f.wizard().m_arrThemes.size(), static_cast<size_t>(kItems));
  ASSERT_EQ(f.wizard().m_arrPages.size(), static_cast<size_t>(kItems));
  EXPECT_EQ(f.wizard().m_arrPages.front(), "p0");
}

}  // namespace
}  // namespace tpl::test
