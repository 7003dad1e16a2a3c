// The pure rules under the wineprefix machine: path normalisation,
// wildcard matching, errno mapping and the system texts.
#include <gtest/gtest.h>

#include <cerrno>

#include "machine/errors.h"
#include "machine/wineprefix/errno_codes.h"
#include "machine/wineprefix/wildcard.h"
#include "machine/wineprefix/windows_path.h"

namespace tpl {
namespace {

std::string Normal(const std::string& text, bool wildcards = false) {
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
  EXPECT_EQ(Normal("C:\\a\\b"), "c:/a/b");
  EXPECT_EQ(Normal("c:/a//b\\\\c"), "c:/a/b/c");
  EXPECT_EQ(Normal("C:\\a\\.\\b\\..\\c"), "c:/a/c");
  EXPECT_EQ(Normal("C:\\..\\a"), "c:/a");
  EXPECT_EQ(Normal("..\\..\\a\\..\\b"), "2up/b");
  EXPECT_EQ(Normal("a\\b.. . "), "0up/a/b");
  EXPECT_EQ(Normal("a. \\b"), "0up/a. /b");  // only the last part loses them
  EXPECT_EQ(Normal("C:\\a\\"), "c:/a/");
  EXPECT_EQ(Normal("C:\\"), "c:/");
  EXPECT_EQ(Normal("\\top"), "z:/top");
  EXPECT_EQ(Normal(""), "error 3");
  EXPECT_EQ(Normal("\\\\server\\share"), "error 3");
}

TEST(WindowsPath, ReservedCharacters) {
  EXPECT_EQ(Normal("C:\\a\\*.txt"), "error 123");
  EXPECT_EQ(Normal("C:\\a\\*.txt", true), "c:/a/*.txt");
  EXPECT_EQ(Normal("C:\\a?\\b", true), "error 123");
  EXPECT_EQ(Normal("C:\\a\\*\\", true), "error 123");  // a folder part, not the last
  EXPECT_EQ(Normal("C:\\a\tb"), "error 123");
  EXPECT_EQ(Normal("C:\\a|b"), "error 123");
  EXPECT_EQ(Normal("C:\\a:b"), "error 123");  // no alternate streams
}

TEST(Wildcard, Matching) {
  EXPECT_TRUE(MatchesWildcard("*.*", "noext"));
  EXPECT_TRUE(MatchesWildcard("*.*", "."));
  EXPECT_TRUE(MatchesWildcard("*.LANG", "1033.lang"));
  EXPECT_FALSE(MatchesWildcard("*.lang", "1033.lang.bak"));
  EXPECT_TRUE(MatchesWildcard("*.lang*", "1033.lang.bak"));
  EXPECT_TRUE(MatchesWildcard("a?c", "abc"));
  EXPECT_FALSE(MatchesWildcard("a?c", "ac"));
  EXPECT_TRUE(MatchesWildcard("name.*", "name"));
  EXPECT_TRUE(MatchesWildcard("*a*b*c", "xxaxxbxxbxc"));
  EXPECT_FALSE(MatchesWildcard("*a*b*c", "xxaxxbxxbx"));
  EXPECT_FALSE(MatchesWildcard("", "a"));
  // Many stars against a long name stay fast (no exponential backtracking).
  EXPECT_FALSE(MatchesWildcard("*a*a*a*a*a*a*a*b", std::string(5000, 'a')));
}

TEST(ErrnoCodes, Mapping) {
  EXPECT_EQ(ErrorFromErrno(ENOENT), kErrorFileNotFound);
  EXPECT_EQ(ErrorFromErrno(ENOENT, kErrorPathNotFound), kErrorPathNotFound);
  EXPECT_EQ(ErrorFromErrno(ENOTDIR), kErrorPathNotFound);
  EXPECT_EQ(ErrorFromErrno(EACCES), kErrorAccessDenied);
  EXPECT_EQ(ErrorFromErrno(ENOSPC), kErrorDiskFull);
  EXPECT_EQ(ErrorFromErrno(EDQUOT), kErrorDiskFull);
  EXPECT_EQ(ErrorFromErrno(EROFS), kErrorWriteProtect);
  EXPECT_EQ(ErrorFromErrno(ELOOP), kErrorCantResolveFilename);
  EXPECT_EQ(ErrorFromErrno(ENAMETOOLONG), kErrorFilenameExcedRange);
  EXPECT_EQ(ErrorFromErrno(EIO), kErrorIoDevice);
}

TEST(SystemTexts, EveryListedCodeHasWindowsText) {
  for (ErrorCode code : {2u, 3u, 5u, 8u, 13u, 18u, 19u, 32u, 38u, 80u, 87u, 112u, 122u, 123u,
                         145u, 183u, 206u, 234u, 1921u}) {
    const std::string text = WindowsSystemMessage(code);
    ASSERT_GE(text.size(), 3u) << code;
    EXPECT_EQ(text.substr(text.size() - 3), ".\r\n") << code;
  }
  EXPECT_EQ(WindowsSystemMessage(3), "The system cannot find the path specified.\r\n");
  EXPECT_EQ(WindowsSystemMessage(32),
            "The process cannot access the file because it is being used by another process.\r\n");
  EXPECT_EQ(WindowsSystemMessage(112), "There is not enough space on the disk.\r\n");
  EXPECT_EQ(WindowsSystemMessage(7), "");
}

}  // namespace
}  // namespace tpl
