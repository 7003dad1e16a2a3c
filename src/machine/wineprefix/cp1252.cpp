#include "machine/wineprefix/cp1252.h"

#include "machine/ascii_case.h"

namespace tpl {
namespace {

// Unicode of CP1252 bytes 0x80-0x9F; the five bytes CP1252 leaves undefined
// map to the C1 control of the same number, as Windows' table does.
constexpr uint16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

}  // namespace

char Cp1252FromUnit(uint16_t unit) {
  if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) return static_cast<char>(unit);
  for (int i = 0; i < 32; ++i) {
    if (kHighControls[i] == unit) return static_cast<char>(0x80 + i);
  }
  return '?';
}

uint32_t NextUtf8(const char** p, const char* end) {
  const auto* s = reinterpret_cast<const unsigned char*>(*p);
  const auto* e = reinterpret_cast<const unsigned char*>(end);
  const unsigned char lead = s[0];
  if (lead < 0x80) {
    ++*p;
    return lead;
  }
  int length = 0;
  uint32_t cp = 0;
  uint32_t minimum = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, cp = lead & 0x1F, minimum = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, cp = lead & 0x0F, minimum = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, cp = lead & 0x07, minimum = 0x10000;
  }
  if (length == 0 || e - s < length) {
    ++*p;
    return kCp1252Byte | lead;
  }
  for (int i = 1; i < length; ++i) {
    if ((s[i] & 0xC0) != 0x80) {
      ++*p;
      return kCp1252Byte | lead;
    }
    cp = (cp << 6) | (s[i] & 0x3F);
  }
  if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    ++*p;
    return kCp1252Byte | lead;
  }
  *p += length;
  return cp;
}

void AppendCp1252(uint32_t codePoint, std::string* out) {
  if (codePoint & kCp1252Byte) {
    out->push_back(static_cast<char>(codePoint & 0xFF));
  } else if (codePoint >= 0x10000) {
    out->append(2, '?');  // a surrogate pair: two units, neither in CP1252
  } else {
    out->push_back(Cp1252FromUnit(static_cast<uint16_t>(codePoint)));
  }
}

std::string Cp1252FromUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  const char* p = text.data();
  const char* end = p + text.size();
  while (p < end) {
    if (static_cast<unsigned char>(*p) < 0x80) {
      out.push_back(*p++);
    } else {
      AppendCp1252(NextUtf8(&p, end), &out);
    }
  }
  return out;
}

void AppendCp1252FromUtf16Le(std::string_view bytes, std::string* out) {
  const size_t units = bytes.size() / 2;
  out->reserve(out->size() + units);
  for (size_t i = 0; i < units; ++i) {
    const auto lo = static_cast<unsigned char>(bytes[2 * i]);
    const auto hi = static_cast<unsigned char>(bytes[2 * i + 1]);
    out->push_back(Cp1252FromUnit(static_cast<uint16_t>(lo | (hi << 8))));
  }
}

std::string FoldRegistryCase(std::string_view text) {
  return AsciiLower(std::string(text));
}

}  // namespace tpl
