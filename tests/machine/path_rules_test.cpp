// The pure rules under the wineprefix machine: path normalisation,
// wildcard matching. What the machine contract shows through real files
// (and through errno mapping) is not repeated here.
#include <gtest/gtest.h>

#include "machine/errors.h"
#include "machine/wineprefix/wildcard.h"
#include "machine/wineprefix/windows_path.h"

namespace tpl {
namespace {

std::string Normal(const std::string& text, bool wildcards) {
  WindowsPath path;
  const ErrorCode error = ParseWindowsPath(text, wildcards, &path);
  if (error != kErrorSuccess) return "error " + std::to_string(error);
  std::string out = path.base == WindowsPath::Base::kDrive ? std::string(1, path.drive) + ":"
                                                           : std::to_string(path.upLevels) + "up";
  for (const std::string& part : path.parts) out += "/" + part;
  if (path.trailingSeparator) out += "/";
  return out;
}

TEST(WindowsPath, Normalisation) {
  const struct { const char* text; bool wildcards; const char* normal; } cases[] = {
      {"C:\\a\\b", false, "c:/a/b"},
      {"..\\..\\a\\..\\b", false, "2up/b"},
      {"a\\b.. . ", false, "0up/a/b"},
      {"a. \\b", false, "0up/a. /b"},  // only the last part loses trailing dots and blanks
      {"C:\\a\\", false, "c:/a/"},
      {"C:\\", false, "c:/"},
      {"\\top", false, "z:/top"},
      {"", false, "error 3"},
      {"\\\\server\\share", false, "error 3"},
      {"C:\\a\\*.txt", false, "error 123"},
      {"C:\\a\\*.txt", true, "c:/a/*.txt"},
      {"C:\\a\\*\\", true, "error 123"},  // a folder part, not the last
      {"C:\\a\tb", false, "error 123"},
      {"C:\\a:b", false, "error 123"},  // no alternate streams
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(Normal(c.text, c.wildcards), c.normal);
  }
}

TEST(Wildcard, Matching) {
  const struct { const char* pattern; std::string name; bool matches; } cases[] = {
      {"*.*", ".", true},
      {"a?c", "abc", true},        {"a?c", "ac", false},
      {"*a*b*c", "xxaxxbxxbxc", true}, {"*a*b*c", "xxaxxbxxbx", false},
      {"", "a", false},
      // Many stars against a long name stay fast (no exponential backtracking).
      {"*a*a*a*a*a*a*a*b", std::string(5000, 'a'), false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.pattern) + " " + c.name.substr(0, 20));
    EXPECT_EQ(MatchesWildcard(c.pattern, c.name), c.matches);
  }
}

}  // namespace
}  // namespace tpl
