// The quoted strings of registry files. Each reader starts just after the
// opening quote (or bracket) at text[*pos] and stops at the first unescaped
// `endChar`; on success *pos is just past it and the text, in CP1252, is
// appended to *out. A string that ends before `endChar` fails: quoted strings
// never continue on the next line.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tpl {

// Wine's own files: \\ \" \a \b \t \n \v \f \r \e, octal \0../\777, \x + up to
// four hex digits as one UTF-16 unit; any other escaped character is itself.
// Unescaped text is UTF-8 (a stray byte is taken as CP1252).
bool ReadWineString(std::string_view text, size_t* pos, char endChar, std::string* out);

// REGEDIT4 and Version 5.00 exports, already in CP1252: only \\ and \" are
// escapes; any other backslash stays as written.
bool ReadExportString(std::string_view text, size_t* pos, char endChar, std::string* out);

}  // namespace tpl
