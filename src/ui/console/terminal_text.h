// Text as a terminal shows it: 8-bit Windows text made safe and readable
// (code page 1252 to UTF-8, control characters defused), wrapped to the
// terminal's width, and the '&' mnemonics of button texts taken out.
#pragma once

#include <string>
#include <vector>

namespace tpl {

// `text` as the terminal should get it: line ends become '\n', control
// characters other than '\n' and '\t' become '?', so a kit's text cannot
// drive the terminal. On a UTF-8 terminal, text that is not valid UTF-8 is
// read as Windows code page 1252 (the kit's files); elsewhere, every
// non-ASCII character becomes '?'.
std::string ToTerminalText(const std::string& text, bool utf8Terminal);

// Columns taken by UTF-8 `text` (one per character).
int DisplayWidth(const std::string& text);

// Splits `text` into lines of at most `width` columns: at '\n', then between
// words; a word longer than a line is cut. Tabs go to the next multiple of
// eight columns; a line's leading blanks stay, trailing blanks go.
std::vector<std::string> WrapText(const std::string& text, int width);

// `line` with blanks in front so that it sits in the middle of `width`.
std::string CentreLine(const std::string& line, int width);

// A button text as shown: "&About..." -> "About...", "&&" -> "&".
std::string StripMnemonic(const std::string& text);
// The letter after a single '&' (lower case), or 0.
char MnemonicLetter(const std::string& text);

}  // namespace tpl
