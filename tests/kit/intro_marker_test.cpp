// The kit's language marker file and the welcome text.
#include <gtest/gtest.h>

#include <string>

#include "kit_fixture.h"
#include "res/strings.h"

namespace tpl::test {
namespace {

// A kit whose "fp98" folder has something, so that mode "98" looks for a marker.
void Fp98Kit(KitFixture& f) { f.Kit("fp98/Themes/Old/old.inf", "title=Old\n"); }

TEST(LanguageMarker, AKnownNumberSetsTheLanguageToTheFileTitleAsSpelled) {
  struct Case {
    const char* file;
    const char* language;
  } const cases[] = {{"1033.lang", "1033"},
                     {"01031.lang", "01031"},     // leading zero kept, 1031 looked up
                     {"1036abc.lang", "1036abc"},  // trailing letters kept
                     {"1050.LANG", "1050"}};
  for (const Case& c : cases) {
    KitFixture f;
    Fp98Kit(f);
    f.Kit(c.file);
    f.StartLogged();
    EXPECT_TRUE(f.wizard().CheckKit("98"));
    EXPECT_EQ(f.wizard().m_strLanguage, c.language) << c.file;
    for (const std::string& line : f.NewLogLines()) {
      EXPECT_EQ(line.find("Invalid language file"), std::string::npos) << c.file;
    }
  }
}

TEST(LanguageMarker, AnUnknownNumberIsLoggedWithItsExtensionAndChangesNothing) {
  for (const char* file : {"9999.lang", "2052.lang", "english.lang", "-1033.lang"}) {
    KitFixture f;
    Fp98Kit(f);
    f.Kit(file);
    f.StartLogged();
    f.wizard().m_strLanguage = "1036";
    EXPECT_TRUE(f.wizard().CheckKit("98"));
    EXPECT_EQ(f.wizard().m_strLanguage, "1036") << file;
    const Strings log = f.NewLogLines();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back(), std::string("Invalid language file ") + file);
  }
}

TEST(LanguageMarker, OnlyTheFirstFileIsExaminedAndFoldersAreSkipped) {
  {
    KitFixture f;
    Fp98Kit(f);
    f.Kit("1031.lang");
    f.Kit("1033.lang");
    f.Start();
    f.wizard().CheckKit("98");
    EXPECT_EQ(f.wizard().m_strLanguage, "1031");
  }
  {
    KitFixture f;  // an unknown first file: the valid second one is never looked at
    Fp98Kit(f);
    f.Kit("0.lang");
    f.Kit("1033.lang");
    f.Start();
    f.wizard().CheckKit("98");
    EXPECT_EQ(f.wizard().m_strLanguage, "");
  }
  {
    KitFixture f;  // a folder named like a marker comes first and is skipped
    Fp98Kit(f);
    f.KitFolder("1031.lang");
    f.Kit("1049.lang");
    f.Start();
    f.wizard().CheckKit("98");
    EXPECT_EQ(f.wizard().m_strLanguage, "1049");
  }
  {
    KitFixture f;  // only folders: nothing happens
    Fp98Kit(f);
    f.KitFolder("1031.lang");
    f.StartLogged();
    f.wizard().CheckKit("98");
    EXPECT_EQ(f.wizard().m_strLanguage, "");
    EXPECT_EQ(f.NewLogLines().size(), 3u);  // checking and the two searches
  }
}

TEST(LanguageMarker, IsLookedForOnlyInMode98AfterSomethingWasFoundInFp98) {
  {
    KitFixture f;  // mode "2000" never reads a marker
    Fp98Kit(f);
    f.Kit("common/Themes/Blue/blue.inf");
    f.Kit("fp2000/Themes/Red/red.inf");
    f.Kit("1033.lang");
    f.Start();
    f.wizard().CheckKit("2000");
    f.wizard().CheckKit("print");
    EXPECT_EQ(f.wizard().m_strLanguage, "");
  }
  {
    KitFixture f;  // nothing in "fp98": "common" items do not count
    f.Kit("common/Themes/Blue/blue.inf");
    f.Kit("fp98/readme.txt");
    f.Kit("1033.lang");
    f.Start();
    f.wizard().CheckKit("98");
    EXPECT_EQ(f.wizard().m_strLanguage, "");
    EXPECT_EQ(f.wizard().m_arrThemes.size(), 1u);
  }
  {
    KitFixture f;  // an empty kind folder is enough
    f.KitFolder("fp98/Webs");
    f.Kit("1033.lang");
    f.Start();
    f.wizard().CheckKit("98");
    EXPECT_EQ(f.wizard().m_strLanguage, "1033");
  }
}

TEST(IntroText, TheFirstFiveLinesThenAnEmptyLineAndTheStartText) {
  const std::string start = LoadResString(kIdsIntro);
  {
    KitFixture f;
    f.Kit("intro.txt", "one\r\ntwo\r\n\r\nfour\r\nfive\r\nsix\r\nseven\r\n");
    f.Start();  // the dialog shows the text when it opens
    EXPECT_EQ(f.StatusText(), "one\ntwo\n\nfour\nfive\n\n" + start);
    EXPECT_EQ(f.wizard().GetIntroText(), f.StatusText());
  }
  {
    KitFixture f;
    f.Kit("INTRO.TXT", "Welcome to Blue Sky");  // no line end
    f.Start();
    EXPECT_EQ(f.StatusText(), "Welcome to Blue Sky\n\n" + start);
  }
  {
    KitFixture f;
    f.Kit("intro.txt", "");
    f.Start();
    EXPECT_EQ(f.StatusText(), "\n" + start);
  }
}

TEST(IntroText, AMissingFileLeavesTheStartTextAndAReadErrorReplacesTheLines) {
  {
    KitFixture f;
    f.Start();
    EXPECT_EQ(f.wizard().GetIntroText(), "\n" + LoadResString(kIdsIntro));
  }
  {
    KitFixture f;  // a folder cannot be opened as a text file
    f.KitFolder("intro.txt");
    f.Start();
    EXPECT_EQ(f.wizard().GetIntroText(), "\n" + LoadResString(kIdsIntro));
  }
  {
    KitFixture f;
    f.Kit("intro.txt", "one\ntwo\nthree\n");
    f.Start();
    f.machine().FailTextRead("intro.txt", 2, 30);
    EXPECT_EQ(f.wizard().GetIntroText(), "Error reading intro file\n" + LoadResString(kIdsIntro));
  }
  {
    KitFixture f;  // a failure after the fifth line is never met
    f.Kit("intro.txt", "1\n2\n3\n4\n5\n6\n");
    f.Start();
    f.machine().FailTextRead("intro.txt", 5, 30);
    EXPECT_EQ(f.wizard().GetIntroText(), "1\n2\n3\n4\n5\n\n" + LoadResString(kIdsIntro));
  }
}

}  // namespace
}  // namespace tpl::test
