// Text conversions to the ANSI code page (CP1252) as a 32-bit program under
// Wine sees registry strings: every UTF-16 unit becomes one byte, and a unit
// CP1252 cannot show becomes '?'.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tpl {

// One UTF-16 unit in CP1252 ('?' when it has no byte there).
char Cp1252FromUnit(uint16_t unit);

// Reads one UTF-8 sequence at `*p` (p < end) and advances past it. Gives the
// code point; a byte that starts no valid sequence is taken as a CP1252 byte
// of its own and given back as kCp1252Byte | byte.
constexpr uint32_t kCp1252Byte = 0x80000000u;
uint32_t NextUtf8(const char** p, const char* end);

// Appends a code point read by NextUtf8 in CP1252: one byte per UTF-16 unit
// (a character beyond U+FFFF is two units, so two '?').
void AppendCp1252(uint32_t codePoint, std::string* out);

// UTF-8 text (lenient, see NextUtf8) to CP1252.
std::string Cp1252FromUtf8(std::string_view text);

// UTF-16LE bytes to CP1252; an odd last byte is dropped, as the A calls do.
void AppendCp1252FromUtf16Le(std::string_view bytes, std::string* out);

// Folds a key path or value name for the index: ASCII letters to lower case,
// as the machine matches every name.
std::string FoldRegistryCase(std::string_view text);

}  // namespace tpl
