// Case folding as Windows' C runtime does it in the "C" locale, and as file,
// registry and environment names are compared: A-Z only, every other byte
// stays as it is.
#pragma once

#include <string>

namespace tpl {

inline char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

inline std::string AsciiLower(std::string text) {
  for (char& c : text) c = AsciiLower(c);
  return text;
}

}  // namespace tpl
