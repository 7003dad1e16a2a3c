#include "machine/wineprefix/registry_strings.h"

#include <cstdint>

#include "machine/wineprefix/cp1252.h"

namespace tpl {
namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// One escape after the backslash at text[*pos - 1]; text[*pos] exists.
void ReadWineEscape(std::string_view text, size_t* pos, std::string* out) {
  const char c = text[*pos];
  switch (c) {
    case 'a': ++*pos, out->push_back('\a'); return;
    case 'b': ++*pos, out->push_back('\b'); return;
    case 't': ++*pos, out->push_back('\t'); return;
    case 'n': ++*pos, out->push_back('\n'); return;
    case 'v': ++*pos, out->push_back('\v'); return;
    case 'f': ++*pos, out->push_back('\f'); return;
    case 'r': ++*pos, out->push_back('\r'); return;
    case 'e': ++*pos, out->push_back('\x1b'); return;
    case 'x': {
      ++*pos;
      uint32_t unit = 0;
      int digits = 0;
      for (; digits < 4 && *pos < text.size(); ++digits) {
        const int d = HexDigit(text[*pos]);
        if (d < 0) break;
        unit = unit * 16 + static_cast<uint32_t>(d);
        ++*pos;
      }
      out->push_back(digits == 0 ? 'x' : Cp1252FromUnit(static_cast<uint16_t>(unit)));
      return;
    }
    default:
      break;
  }
  if (c >= '0' && c <= '7') {
    uint32_t unit = 0;
    for (int digits = 0; digits < 3 && *pos < text.size(); ++digits) {
      const char o = text[*pos];
      if (o < '0' || o > '7') break;
      unit = unit * 8 + static_cast<uint32_t>(o - '0');
      ++*pos;
    }
    out->push_back(Cp1252FromUnit(static_cast<uint16_t>(unit)));
    return;
  }
  const char* p = text.data() + *pos;
  AppendCp1252(NextUtf8(&p, text.data() + text.size()), out);
  *pos = static_cast<size_t>(p - text.data());
}

}  // namespace

bool ReadWineString(std::string_view text, size_t* pos, char endChar, std::string* out) {
  size_t i = *pos;
  const size_t n = text.size();
  while (i < n) {
    // Plain ASCII runs are copied in one piece.
    size_t run = i;
    while (run < n) {
      const char c = text[run];
      if (c == endChar || c == '\\' || static_cast<unsigned char>(c) >= 0x80) break;
      ++run;
    }
    out->append(text.data() + i, run - i);
    i = run;
    if (i >= n) break;
    const char c = text[i];
    if (c == endChar) {
      *pos = i + 1;
      return true;
    }
    if (c == '\\') {
      if (++i >= n) break;
      ReadWineEscape(text, &i, out);
    } else {
      const char* p = text.data() + i;
      AppendCp1252(NextUtf8(&p, text.data() + n), out);
      i = static_cast<size_t>(p - text.data());
    }
  }
  return false;
}

bool ReadExportString(std::string_view text, size_t* pos, char endChar, std::string* out) {
  size_t i = *pos;
  const size_t n = text.size();
  while (i < n) {
    size_t run = i;
    while (run < n && text[run] != endChar && text[run] != '\\') ++run;
    out->append(text.data() + i, run - i);
    i = run;
    if (i >= n) break;
    if (text[i] == endChar) {
      *pos = i + 1;
      return true;
    }
    // A backslash: only \\ and \" are escapes.
    if (i + 1 < n && (text[i + 1] == '\\' || text[i + 1] == '"')) {
      out->push_back(text[i + 1]);
      i += 2;
    } else {
      out->push_back('\\');
      ++i;
    }
  }
  return false;
}

}  // namespace tpl
