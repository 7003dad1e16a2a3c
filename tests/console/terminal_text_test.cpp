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

}  // namespace
}  // namespace tpl
