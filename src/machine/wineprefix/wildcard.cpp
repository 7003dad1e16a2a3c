#include "machine/wineprefix/wildcard.h"

#include "machine/wineprefix/windows_path.h"

namespace tpl {
namespace {

bool OnlyDotsAndStars(const std::string& pattern, size_t from) {
  for (size_t i = from; i < pattern.size(); ++i) {
    if (pattern[i] != '.' && pattern[i] != '*') return false;
  }
  return true;
}

}  // namespace

bool MatchesWildcard(const std::string& pattern, const std::string& name) {
  // "*.*" and its like match every name; a walk searches every folder so.
  if (!pattern.empty() && pattern[0] == '*' && OnlyDotsAndStars(pattern, 1)) return true;
  // Greedy matching with one backtrack point: linear for a single '*' and
  // never worse than quadratic.
  size_t p = 0, n = 0;
  size_t starP = std::string::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starN = n;
    } else if (p < pattern.size() &&
               (pattern[p] == '?' || AsciiLower(pattern[p]) == AsciiLower(name[n]))) {
      ++p;
      ++n;
    } else if (starP != std::string::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  return OnlyDotsAndStars(pattern, p);
}

}  // namespace tpl
