// Small text rules of the kit's names and lines.
#pragma once

#include <string>

namespace tpl {

// Lower-cases A-Z only, as the "C" locale does; other bytes stay as they are.
inline std::string AsciiLower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

// A line as a CString holds it after ReadString: it ends at the first NUL.
inline std::string LineText(std::string line) {
  const size_t nul = line.find('\0');
  if (nul != std::string::npos) line.resize(nul);
  return line;
}

}  // namespace tpl
