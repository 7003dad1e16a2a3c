// What the wizard reads from a kit: themes with their description files,
// templates by folder, the result flag and its one log line, the install plan
// CheckKit shows, the language marker file and the welcome text.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "res/strings.h"
#include "support/wizard_fixture.h"

namespace tpl::test {
namespace {

using Strings = std::vector<std::string>;

// "name:title:version" of every theme listed, in order (the version as %g shows it).
Strings ListedThemes(const CWizardDlg& w) {
  Strings themes;
  for (const auto& theme : w.m_arrThemes) {
    std::ostringstream line;
    line << theme->GetName() << ':' << theme->GetTitle() << ':' << theme->GetVersion();
    themes.push_back(line.str());
  }
  return themes;
}

TEST(FindKitItems, ReadsDescriptionsAndListsSubFoldersOnly) {
  WizardFixture f;
  const std::string title(300000, 'L');
  f.Kit("common/Themes/Alpha/alpha.inf", "title=First\r\nversion=1\r\ntitle=Second\r\nversion=2.50\r\n");
  f.Kit("common/Themes/Beta/readme.txt", "no description file here");
  f.Kit("common/Themes/Gamma/gamma.inf", "version=beta\n[x]\n");  // defaults after a titled theme
  f.Kit("common/Themes/Delta/DELTA.INF", "Title=Delta Blues");  // no line end at all
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
  Strings themes = ListedThemes(f.wizard());
  ASSERT_EQ(themes.size(), 9u);
  EXPECT_EQ(themes[5], "long:" + title + ":inf");
  themes[5] = "long";
  // A line ends at its first NUL, as in a CString.
  EXPECT_EQ(themes, (Strings{"alpha:Second:2.5", "beta::0", "delta:Delta Blues:0",
                             "folder::0", "gamma::0", "long", "my theme:Mine:0", "nul:Ab:1.5",
                             "corporate:Corporate:0"}));
  EXPECT_EQ(f.wizard().m_arrPages, (Strings{"contact us"}));
  EXPECT_EQ(f.wizard().m_arrWebs, (Strings{"caf\xC3\xA9 site"}));
  EXPECT_EQ(f.wizard().m_arrFrames, (Strings{"banner", "contents"}));
}

TEST(FindKitItems, TheResultFlagTheSearchingLineAndEachItemListedOnce) {
  WizardFixture f;
  f.KitFolder("framesonly/Frames");  // an empty "Frames" alone gives true
  f.Kit("fp98/notes.txt", "x");      // no kind folder
  for (const char* kind : {"Themes", "Pages", "Webs", "Frames"}) f.Kit(std::string("files/") + kind);
  f.Kit("common/Themes/Blue/blue.inf", "title=Common Blue\nversion=1\n");
  f.Kit("fp2000/Themes/BLUE/blue.inf", "title=Other Blue\nversion=2\n");
  f.Kit("fp2000/Themes/Red/red.inf", "title=Red\n");
  f.KitFolder("common/Pages/Home");
  f.KitFolder("fp2000/Pages/home");
  f.KitFolder("fp2000/Pages/About");
  f.StartLogged();

  // "files" has its kind "folders" as files; "common" searched again finds nothing new.
  const struct { const char* folder; bool found; } searches[] = {
      {"framesonly", true}, {"fp98", false},  {"missing", false}, {"files", false},
      {"common", true},     {"fp2000", true}, {"common", true}};
  Strings searching;
  for (const auto& search : searches) {
    EXPECT_EQ(f.wizard().FindKitItems(search.folder), search.found) << search.folder;
    searching.push_back(std::string("Searching ") + search.folder + "\\Themes\\*.*");
  }
  EXPECT_EQ(f.NewLogLines(), searching);
  EXPECT_EQ(ListedThemes(f.wizard()), (Strings{"blue:Common Blue:1", "red:Red:0"}));
  EXPECT_EQ(f.wizard().m_arrPages, (Strings{"home", "about"}));
  EXPECT_TRUE(f.wizard().m_arrFrames.empty() && f.wizard().m_arrWebs.empty());

  // Emptying the lists forgets them: the next search lists everything again.
  f.wizard().EmptyKitLists();
  EXPECT_TRUE(f.wizard().FindKitItems("fp2000"));
  EXPECT_EQ(ListedThemes(f.wizard()), (Strings{"blue:Other Blue:2", "red:Red:0"}));
}

TEST(FindKitItems, AReadFailureDropsThatThemeAndClearsTheFlagUntilSomethingElseIsFound) {
  // (themes, failing theme, good lines, a Webs folder) -> result, themes listed
  const struct { Strings themes; const char* failing; int goodLines; bool webs; bool found;
                 Strings listed; } cases[] = {
      {{"aqua", "zinc"}, "zinc", 1, false, false, {"aqua:aqua:2"}},  // nothing follows the failure
      {{"aqua", "zinc"}, "aqua", 0, false, true, {"zinc:zinc:2"}},   // a later theme sets it again,
      {{"zinc"}, "zinc", 0, true, true, {}},                         // so does a later kind folder
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.failing);
    WizardFixture f;
    for (const std::string& name : c.themes) {
      f.Kit("common/Themes/" + name + "/" + name + ".inf", "title=" + name + "\nversion=2\n");
    }
    if (c.webs) f.KitFolder("common/Webs");
    f.Start();
    f.machine().FailTextRead(std::string("common\\themes\\") + c.failing + "\\" + c.failing + ".inf",
                             c.goodLines, kErrorNotEnoughMemory);
    EXPECT_EQ(f.wizard().FindKitItems("common"), c.found);
    EXPECT_EQ(ListedThemes(f.wizard()), c.listed);
  }
}

TEST(InstallPlan, FrontPage2000And2003ListEachItemOnceWithVersionsAsPrintfGShowsThem) {
  WizardFixture f;
  f.Kit("common/Themes/A/a.inf", "title=A\nversion=0.5\n");
  f.Kit("common/Themes/B/b.inf", "title=B\nversion=1.0000001\n");
  f.Kit("common/Themes/C/c.inf", "title=C\nversion=1234567\n");
  f.KitFolder("common/Themes/D");  // untitled: the entry starts with a blank
  f.Kit("fp2000/Themes/Red/red.inf", "title=Red\nversion=2.50\n");
  f.Kit("fp2000/Pages/Contact/contact.htm");
  f.KitFolder("common/Frames/Banner");
  f.KitFolder("fp2000/Frames/Footer");
  f.StartLogged();

  EXPECT_TRUE(f.wizard().CheckKit("2000"));
  EXPECT_TRUE(f.wizard().CheckKit("2003"));
  EXPECT_TRUE(f.wizard().CheckKit("print"));
  EXPECT_EQ(f.StatusText(),
            "The following themes and templates will be installed.\n\n"
            "Themes:\tA Version 0.5, B Version 1, C Version 1.23457e+06,  Version 0, "
            "Red Version 2.5\n"
            "Page templates:  contact\n"
            "Web templates:   (None)\n"
            "Frame templates: banner, footer\n");
}

TEST(LanguageMarker, TheFirstMarkerFileInMode98AfterSomethingInFp98) {
  const std::string fp98 = "fp98/Themes/Old/old.inf";
  const std::string searching = "Searching common\\Themes\\*.*";
  // A kit (a trailing '/' makes a folder) checked in a mode, with the language
  // preset to 1036 -> the language and the last log line.
  const struct { Strings entries; const char* mode; std::string language, lastLine; } cases[] = {
      // A known number sets the language to the file's title as spelled.
      {{fp98, "1033.lang"}, "98", "1033", searching},
      {{fp98, "1036abc.lang"}, "98", "1036abc", searching},
      // An unknown number is logged with its extension and changes nothing.
      {{fp98, "9999.lang"}, "98", "1036", "Invalid language file 9999.lang"},
      // Only the first file is examined; folders named like markers are skipped.
      {{fp98, "1031.lang", "1033.lang"}, "98", "1031", searching},
      {{fp98, "0.lang", "1033.lang"}, "98", "1036", "Invalid language file 0.lang"},
      {{fp98, "1031.lang/", "1049.lang"}, "98", "1049", searching},
      // Never in mode "2000"; not when only "common" has items; an empty kind folder is enough.
      {{fp98, "fp2000/Themes/Red/red.inf", "1033.lang"}, "2000", "1036",
       "Searching fp2000\\Themes\\*.*"},
      {{"common/Themes/Blue/blue.inf", "fp98/readme.txt", "1033.lang"}, "98", "1036", searching},
      {{"fp98/Webs/", "1033.lang"}, "98", "1033", searching},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.entries) + " mode " + c.mode);
    WizardFixture f;
    for (const std::string& entry : c.entries) {
      if (entry.back() == '/') f.KitFolder(entry.substr(0, entry.size() - 1));
      if (entry.back() != '/') f.Kit(entry, "title=x\n");
    }
    f.StartLogged();
    f.wizard().m_strLanguage = "1036";
    EXPECT_TRUE(f.wizard().CheckKit(c.mode));
    EXPECT_EQ(f.wizard().m_strLanguage, c.language);
    EXPECT_EQ(f.NewLogLines().back(), c.lastLine);
  }
}

TEST(IntroText, TheFirstFiveLinesThenAnEmptyLineAndTheStartText) {
  const std::string start = LoadResString(kIdsIntro);
  // The intro file (nullptr: none; "": a folder of that name), its text, the lines read before a
  // read failure (-1: none) -> the welcome text.
  const struct { const char* file; std::string text; int goodLines; std::string intro; } cases[] = {
      {"intro.txt", "one\r\ntwo\r\n\r\nfour\r\nfive\r\nsix\r\nseven\r\n", -1,
       "one\ntwo\n\nfour\nfive\n\n" + start},
      {"INTRO.TXT", "Welcome to Blue Sky", -1, "Welcome to Blue Sky\n\n" + start},
      {nullptr, "", -1, "\n" + start},
      {"", "", -1, "\n" + start},  // a folder cannot be opened as a text file
      {"intro.txt", "one\ntwo\nthree\n", 2, "Error reading intro file\n" + start},
      {"intro.txt", "1\n2\n3\n4\n5\n6\n", 5, "1\n2\n3\n4\n5\n\n" + start},  // never met
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    WizardFixture f;
    if (c.file && *c.file) f.Kit(c.file, c.text);
    if (c.file && !*c.file) f.KitFolder("intro.txt");
    f.Start();  // the dialog shows the text when it opens
    if (c.goodLines < 0) {
      EXPECT_EQ(f.StatusText(), c.intro);
    } else {
      f.machine().FailTextRead("intro.txt", c.goodLines, 30);
    }
    EXPECT_EQ(f.wizard().GetIntroText(), c.intro);
  }
}

}  // namespace
}  // namespace tpl::test
