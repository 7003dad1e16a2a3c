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

// Whether `text` begins with `start`, ASCII letters folded. From the end:
// paths that differ mostly differ in their last parts.
inline bool StartsWithIgnoringCase(const std::string& text, const std::string& start) {
  if (text.size() < start.size()) return false;
  for (size_t i = start.size(); i-- > 0;) {
    if (AsciiLower(text[i]) != AsciiLower(start[i])) return false;
  }
  return true;
}

// _stricmp(a, b) == 0 in the "C" locale: equal when ASCII letters are folded.
inline bool SameTextIgnoringCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && StartsWithIgnoringCase(a, b);
}

}  // namespace tpl
