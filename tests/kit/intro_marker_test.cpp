// The kit's language marker file and the welcome text.
#include <gtest/gtest.h>

#include <string>

#include "res/strings.h"
#include "support/wizard_fixture.h"

namespace tpl::test {
namespace {

using Strings = std::vector<std::string>;

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
  const struct {
    const char* file;  // nullptr: no intro file; "": a folder of that name
    std::string text;
    int goodLines;     // lines read before a read failure (-1: none)
    std::string intro;
  } cases[] = {
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
