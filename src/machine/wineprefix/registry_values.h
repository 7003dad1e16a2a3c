// One value line of a registry file: `"name"=data` or `@=data`, with hex
// data that may continue on the following lines.
#pragma once

#include <string_view>

#include "machine/wineprefix/registry_file.h"
#include "machine/wineprefix/registry_lines.h"

namespace tpl {

// How strings are written: Wine's files (UTF-8 with escapes, str(N):, hex(N)
// strings as UTF-16LE), REGEDIT4 (CP1252, hex(N) strings as CP1252 bytes) or
// Version 5.00 (text already converted to CP1252, hex(N) strings UTF-16LE).
enum class RegDialect { kWine, kAnsiExport, kUnicodeExport };

enum class ValueLine {
  kSet,        // *value holds the value
  kDelete,     // `"name"=-` in an export: *value holds the name to delete
  kUnreadable  // skipped; no line after it was consumed unless it was data
};

// `line` starts with `@` or `"` (blanks before it already skipped); lines
// continuing hex data are taken from *lines.
ValueLine ReadValueLine(std::string_view line, RegDialect dialect, RegistryLines* lines,
                        RegValueData* value);

}  // namespace tpl
