#include "machine/wineprefix/registry_values.h"

#include <cstdint>

#include "machine/wineprefix/cp1252.h"
#include "machine/wineprefix/registry_strings.h"

namespace tpl {
namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

bool IsStringType(uint32_t type) {
  return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz;
}

bool ReadString(std::string_view text, size_t* pos, RegDialect dialect, std::string* out) {
  return dialect == RegDialect::kWine ? ReadWineString(text, pos, '"', out)
                                      : ReadExportString(text, pos, '"', out);
}

// Up to `maxDigits` hex digits at text[*pos]; false when there are none or
// more follow.
bool ReadHexNumber(std::string_view text, size_t* pos, int maxDigits, uint32_t* number) {
  uint32_t n = 0;
  int digits = 0;
  while (*pos < text.size()) {
    const int d = HexDigit(text[*pos]);
    if (d < 0) break;
    if (++digits > maxDigits) return false;
    n = n * 16 + static_cast<uint32_t>(d);
    ++*pos;
  }
  *number = n;
  return digits > 0;
}

// A line that cannot continue hex data: it starts something of its own.
bool StartsEntry(std::string_view line) {
  return !line.empty() && (line[0] == '[' || line[0] == '"' || line[0] == '@' ||
                           line[0] == ';' || line[0] == '#');
}

// Comma-separated hex bytes; a backslash at the end of a line continues them
// on the next one (leading blanks skipped).
bool ReadHexBytes(std::string_view text, RegistryLines* lines, std::string* bytes) {
  for (;;) {
    bytes->reserve(bytes->size() + text.size() / 3 + 1);
    size_t i = 0;
    const size_t n = text.size();
    while (i < n && IsRegistryBlank(text[i])) ++i;
    while (i < n && HexDigit(text[i]) >= 0) {
      uint32_t byte = 0;
      while (i < n) {
        const int d = HexDigit(text[i]);
        if (d < 0) break;
        byte = byte * 16 + static_cast<uint32_t>(d);
        if (byte > 0xFF) return false;
        ++i;
      }
      bytes->push_back(static_cast<char>(byte));
      while (i < n && IsRegistryBlank(text[i])) ++i;
      if (i < n && text[i] == ',') ++i;
      while (i < n && IsRegistryBlank(text[i])) ++i;
    }
    if (i == n) return true;
    if (text[i] != '\\') return false;
    std::string_view next;
    if (!lines->Next(&next)) return false;  // cut off mid-value
    next = SkipRegistryBlanks(next);
    if (StartsEntry(next)) {
      lines->PutBack();
      return false;
    }
    text = next;
  }
}

ValueLine ReadQuoted(std::string_view text, size_t pos, RegDialect dialect, uint32_t type,
                     RegValueData* value) {
  value->type = type;
  value->data.reserve(text.size() - pos + 1);
  if (!ReadString(text, &pos, dialect, &value->data)) return ValueLine::kUnreadable;
  value->data.push_back('\0');
  return ValueLine::kSet;
}

ValueLine ReadHexValue(std::string_view text, RegDialect dialect, RegistryLines* lines,
                       uint32_t type, RegValueData* value) {
  value->type = type;
  if (dialect == RegDialect::kAnsiExport || !IsStringType(type)) {
    return ReadHexBytes(text, lines, &value->data) ? ValueLine::kSet : ValueLine::kUnreadable;
  }
  std::string utf16;
  if (!ReadHexBytes(text, lines, &utf16)) return ValueLine::kUnreadable;
  AppendCp1252FromUtf16Le(utf16, &value->data);
  return ValueLine::kSet;
}

}  // namespace

ValueLine ReadValueLine(std::string_view line, RegDialect dialect, RegistryLines* lines,
                        RegValueData* value) {
  size_t pos = 1;
  if (line.empty()) return ValueLine::kUnreadable;
  if (line[0] == '"') {
    if (!ReadString(line, &pos, dialect, &value->name)) return ValueLine::kUnreadable;
  } else if (line[0] != '@') {
    return ValueLine::kUnreadable;
  }
  std::string_view rest = SkipRegistryBlanks(line.substr(pos));
  if (rest.empty() || rest[0] != '=') return ValueLine::kUnreadable;
  rest = SkipRegistryBlanks(rest.substr(1));
  if (rest.empty()) return ValueLine::kUnreadable;

  if (rest[0] == '"') return ReadQuoted(rest, 1, dialect, kRegSz, value);
  if (dialect == RegDialect::kWine) {
    if (StartsWith(rest, "str:\"")) return ReadQuoted(rest, 5, dialect, kRegSz, value);
    if (StartsWith(rest, "str(2):\"")) return ReadQuoted(rest, 8, dialect, kRegExpandSz, value);
    if (StartsWith(rest, "str(7):\"")) return ReadQuoted(rest, 8, dialect, kRegMultiSz, value);
  } else if (rest[0] == '-') {
    return ValueLine::kDelete;
  }
  if (StartsWith(rest, "dword:")) {
    size_t i = 6;
    uint32_t number = 0;
    if (!ReadHexNumber(rest, &i, 8, &number)) return ValueLine::kUnreadable;
    value->type = kRegDword;
    for (int shift = 0; shift < 32; shift += 8) {
      value->data.push_back(static_cast<char>((number >> shift) & 0xFF));
    }
    return ValueLine::kSet;
  }
  if (StartsWith(rest, "hex:")) {
    return ReadHexValue(rest.substr(4), dialect, lines, kRegBinary, value);
  }
  if (StartsWith(rest, "hex(")) {
    size_t i = 4;
    uint32_t type = 0;
    if (!ReadHexNumber(rest, &i, 8, &type)) return ValueLine::kUnreadable;
    if (!StartsWith(rest.substr(i), "):")) return ValueLine::kUnreadable;
    return ReadHexValue(rest.substr(i + 2), dialect, lines, type, value);
  }
  return ValueLine::kUnreadable;
}

}  // namespace tpl
