// Text on its way to the terminal: code pages, control characters, wrapping
// to the width, and button mnemonics.
#include <gtest/gtest.h>

#include "ui/console/terminal_text.h"

namespace tpl {
namespace {

using Lines = std::vector<std::string>;

TEST(TerminalText, KitTextInCodePage1252BecomesUtf8AndUtf8StaysAsItIs) {
  // "café “quoted” – 5€" as a Windows editor saves it.
  EXPECT_EQ(ToTerminalText("caf\xe9 \x93quoted\x94 \x96 5\x80", true),
            "caf\xc3\xa9 \xe2\x80\x9cquoted\xe2\x80\x9d \xe2\x80\x93 5\xe2\x82\xac");
  EXPECT_EQ(ToTerminalText("caf\xc3\xa9 \xe2\x82\xac", true), "caf\xc3\xa9 \xe2\x82\xac");
  // Bytes 1252 leaves unassigned, and a lone UTF-8 lead byte, are not guessed.
  EXPECT_EQ(ToTerminalText("a\x81z", true), "a?z");
  EXPECT_EQ(ToTerminalText("\xc3(", true), "\xc3\x83(");  // not UTF-8: read as 1252 "Ã("
  // A terminal that takes no UTF-8 gets ASCII only, one '?' per character.
  EXPECT_EQ(ToTerminalText("caf\xc3\xa9!", false), "caf?!");
  EXPECT_EQ(ToTerminalText("caf\xe9!", false), "caf?!");
}

TEST(TerminalText, ControlCharactersCannotDriveTheTerminal) {
  EXPECT_EQ(ToTerminalText("a\x1b[2Jb\x07\x7f", true), "a?[2Jb??");
  // C1 controls written as UTF-8 (U+009B is a CSI on some terminals).
  EXPECT_EQ(ToTerminalText("x\xc2\x9b" "1m", true), "x?1m");
  EXPECT_EQ(ToTerminalText("one\r\ntwo\rthree\n\tfour", true), "one\ntwo\nthree\n\tfour");
}

TEST(TerminalText, WrapsBetweenWordsAndCutsWordsLongerThanALine) {
  EXPECT_EQ(WrapText("the quick brown fox jumps", 10),
            (Lines{"the quick", "brown fox", "jumps"}));
  EXPECT_EQ(WrapText("abcdefghijklmnop xy", 6), (Lines{"abcdef", "ghijkl", "mnop", "xy"}));
  // Lines end at '\n'; blank lines stay; trailing blanks go; indents stay.
  EXPECT_EQ(WrapText("a  \n\n   indented text here", 12),
            (Lines{"a", "", "   indented", "text here"}));
  // Columns count characters, not bytes.
  EXPECT_EQ(WrapText("\xc3\xa9\xc3\xa9\xc3\xa9 \xc3\xa9\xc3\xa9", 6),
            (Lines{"\xc3\xa9\xc3\xa9\xc3\xa9 \xc3\xa9\xc3\xa9"}));
  EXPECT_EQ(DisplayWidth("\xc3\xa9\xe2\x82\xac!"), 3);
}

TEST(TerminalText, TabsGoToTheNextStopOfEight) {
  // The install plan's "Themes:\t" column.
  EXPECT_EQ(WrapText("Themes:\tBlue", 40), (Lines{"Themes: Blue"}));
  EXPECT_EQ(WrapText("ab\tc\td", 40), (Lines{"ab      c       d"}));
  EXPECT_EQ(WrapText("caf\xc3\xa9\tx", 40), (Lines{"caf\xc3\xa9    x"}));  // columns, not bytes
}

TEST(TerminalText, MnemonicsAreTakenOutOfButtonTexts) {
  EXPECT_EQ(StripMnemonic("&About Install..."), "About Install...");
  EXPECT_EQ(MnemonicLetter("&About Install..."), 'a');
  EXPECT_EQ(StripMnemonic("R&&D &Tools"), "R&D Tools");
  EXPECT_EQ(MnemonicLetter("R&&D &Tools"), 't');
  EXPECT_EQ(MnemonicLetter("Next >"), 0);
  EXPECT_EQ(CentreLine("ab", 8), "   ab");
}

}  // namespace
}  // namespace tpl
