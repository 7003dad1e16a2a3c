#include "ui/console/terminal_text.h"

#include <cstdint>

#include "machine/ascii_case.h"

namespace tpl {
namespace {

// Code page 1252's characters 0x80 to 0x9F (0: not assigned).
const uint16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

constexpr int kTabStop = 8;

void AppendUtf8(uint32_t code, std::string* out) {
  if (code < 0x80) {
    *out += static_cast<char>(code);
  } else if (code < 0x800) {
    *out += static_cast<char>(0xC0 | (code >> 6));
    *out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    *out += static_cast<char>(0xE0 | (code >> 12));
    *out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    *out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// Length of the UTF-8 sequence at `i`, or 0 when it is not valid UTF-8
// (overlong forms and surrogates included).
size_t Utf8SequenceAt(const std::string& s, size_t i) {
  const auto byte = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char lead = byte(i);
  size_t length;
  uint32_t code;
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    code = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    code = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    code = lead & 0x07;
  } else {
    return 0;
  }
  if (i + length > s.size()) return 0;
  for (size_t k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
    code = (code << 6) | (byte(i + k) & 0x3F);
  }
  if ((length == 3 && code < 0x800) || (length == 4 && (code < 0x10000 || code > 0x10FFFF)) ||
      (code >= 0xD800 && code <= 0xDFFF)) {
    return 0;
  }
  return length;
}

bool IsValidUtf8(const std::string& s) {
  for (size_t i = 0; i < s.size();) {
    const size_t length = Utf8SequenceAt(s, i);
    if (length == 0) return false;
    i += length;
  }
  return true;
}

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Byte offset of the character after the first `columns` characters.
size_t OffsetOfColumn(const std::string& s, int columns) {
  size_t i = 0;
  for (int seen = 0; i < s.size(); ++i) {
    if (!IsContinuationByte(s[i])) {
      if (seen == columns) break;
      ++seen;
    }
  }
  return i;
}

std::string ExpandTabs(const std::string& line) {
  std::string out;
  int column = 0;
  for (char c : line) {
    if (c == '\t') {
      do {
        out += ' ';
        ++column;
      } while (column % kTabStop != 0);
    } else {
      out += c;
      if (!IsContinuationByte(c)) ++column;
    }
  }
  return out;
}

void TrimRight(std::string* s) {
  while (!s->empty() && s->back() == ' ') s->pop_back();
}

void WrapLine(const std::string& line, int width, std::vector<std::string>* out) {
  if (DisplayWidth(line) <= width) {
    std::string whole = line;
    TrimRight(&whole);
    out->push_back(whole);
    return;
  }
  std::string current;
  size_t i = 0;
  while (i < line.size()) {
    size_t blanksEnd = line.find_first_not_of(' ', i);
    if (blanksEnd == std::string::npos) break;
    const std::string blanks = line.substr(i, blanksEnd - i);
    size_t wordEnd = line.find(' ', blanksEnd);
    if (wordEnd == std::string::npos) wordEnd = line.size();
    std::string word = line.substr(blanksEnd, wordEnd - blanksEnd);
    i = wordEnd;

    if (DisplayWidth(current) + DisplayWidth(blanks) + DisplayWidth(word) <= width) {
      current += blanks + word;
      continue;
    }
    if (!current.empty()) {
      TrimRight(&current);
      out->push_back(current);
      current.clear();
    } else {
      current = blanks;  // the leading indent of a line that starts with a long word
    }
    while (DisplayWidth(current) + DisplayWidth(word) > width) {
      const int room = width - DisplayWidth(current);
      const size_t cut = OffsetOfColumn(word, room > 0 ? room : 1);
      out->push_back(current + word.substr(0, cut));
      current.clear();
      word.erase(0, cut);
    }
    current += word;
  }
  TrimRight(&current);
  if (!current.empty()) out->push_back(current);
}

}  // namespace

std::string ToTerminalText(const std::string& text, bool utf8Terminal) {
  const bool utf8Source = IsValidUtf8(text);
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == '\r') {
      out += '\n';
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else if (c == '\n' || c == '\t') {
      out += static_cast<char>(c);
    } else if (c < 0x20 || c == 0x7F) {
      out += '?';
    } else if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (!utf8Terminal) {
      out += '?';
      if (utf8Source) i += Utf8SequenceAt(text, i) - 1;
    } else if (utf8Source) {
      const size_t length = Utf8SequenceAt(text, i);
      // C1 controls (U+0080 to U+009F) act on some terminals, like ESC.
      if (length == 2 && c == 0xC2 && static_cast<unsigned char>(text[i + 1]) < 0xA0) {
        out += '?';
      } else {
        out.append(text, i, length);
      }
      i += length - 1;
    } else if (c < 0xA0) {
      const uint16_t code = kCp1252High[c - 0x80];
      if (code == 0) {
        out += '?';
      } else {
        AppendUtf8(code, &out);
      }
    } else {
      AppendUtf8(c, &out);
    }
  }
  return out;
}

int DisplayWidth(const std::string& text) {
  int width = 0;
  for (char c : text) {
    if (!IsContinuationByte(c)) ++width;
  }
  return width;
}

std::vector<std::string> WrapText(const std::string& text, int width) {
  if (width < 1) width = 1;
  std::vector<std::string> lines;
  size_t start = 0;
  while (true) {
    const size_t end = text.find('\n', start);
    const size_t length = end == std::string::npos ? std::string::npos : end - start;
    const std::string line = ExpandTabs(text.substr(start, length));
    if (line.find_first_not_of(' ') == std::string::npos) {
      lines.emplace_back();
    } else {
      WrapLine(line, width, &lines);
    }
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return lines;
}

std::string CentreLine(const std::string& line, int width) {
  const int margin = (width - DisplayWidth(line)) / 2;
  return margin > 0 ? std::string(margin, ' ') + line : line;
}

std::string StripMnemonic(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&' && i + 1 < text.size()) ++i;
    out += text[i];
  }
  return out;
}

char MnemonicLetter(const std::string& text) {
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '&') continue;
    if (text[i + 1] == '&') {
      ++i;
      continue;
    }
    const char letter = text[i + 1];
    const char lower = AsciiLower(letter);
    if ((lower >= 'a' && lower <= 'z') || (lower >= '0' && lower <= '9')) return lower;
    return 0;
  }
  return 0;
}

}  // namespace tpl
