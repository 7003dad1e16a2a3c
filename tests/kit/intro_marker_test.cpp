// The kit's language marker file and the welcome text.
#include <gtest/gtest.h>

#include <string>

#include "kit_fixture.h"
#include "res/strings.h"

namespace tpl::test {
namespace {

// Runs CheckKit(mode) on a kit of `entries` (a trailing '/' makes a folder)
// with m_strLanguage preset to "1036"; gives the language and the last log line.
std::pair<std::string, std::string> Marker(const Strings& entries, const char* mode = "98") {
  KitFixture f;
  for (const std::string& entry : entries) {
    if (entry.back() == '/') {
      f.KitFolder(entry.substr(0, entry.size() - 1));
    } else {
      f.Kit(entry, "title=x\n");
    }
  }
  f.StartLogged();
  f.wizard().m_strLanguage = "1036";
  EXPECT_TRUE(f.wizard().CheckKit(mode));
  const Strings log = f.NewLogLines();
  return {f.wizard().m_strLanguage, log.empty() ? "" : log.back()};
}

TEST(LanguageMarker, TheFirstMarkerFileInMode98AfterSomethingInFp98) {
  const std::string fp98 = "fp98/Themes/Old/old.inf";
  const std::string searching = "Searching common\\Themes\\*.*";
  const struct { Strings entries; const char* mode; std::string language, lastLine; } cases[] = {
      // A known number sets the language to the file's title as spelled.
      {{fp98, "1033.lang"}, "98", "1033", searching},
      {{fp98, "1036abc.lang"}, "98", "1036abc", searching},
      // An unknown number is logged with its extension and changes nothing.
      {{fp98, "9999.lang"}, "98", "1036", "Invalid language file 9999.lang"},
      {{fp98, "english.lang"}, "98", "1036", "Invalid language file english.lang"},
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
    EXPECT_EQ(Marker(c.entries, c.mode), std::make_pair(c.language, c.lastLine));
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
      {"intro.txt", "", -1, "\n" + start},
      {nullptr, "", -1, "\n" + start},
      {"", "", -1, "\n" + start},  // a folder cannot be opened as a text file
      {"intro.txt", "one\ntwo\nthree\n", 2, "Error reading intro file\n" + start},
      {"intro.txt", "1\n2\n3\n4\n5\n6\n", 5, "1\n2\n3\n4\n5\n\n" + start},  // never met
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    KitFixture f;
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
