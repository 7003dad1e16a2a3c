// Path resolution and directory search, on the wineprefix machine.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "machine_contract.h"

namespace tpl::test {
namespace {

TEST_F(MachineContract, PathsResolveLikeWindows) {
  prefix().AddFile("C:\\Data\\Sub\\file.txt", "text").AddDrive('d', tmp.path() + "/ddrive");
  prefix().AddFile("C:\\Data\\Readme.txt", "upper").AddFile("C:\\Data\\readme.txt", "lower");
  prefix().AddDrive('z', "/");  // the Unix root, as in a real prefix
  WriteHostFile(kit + "/Common/Themes/blue.inf", "title=Blue");
  WriteHostFile(tmp.path() + "/ddrive/Setup/Notes.txt", "notes");
  WriteHostFile(tmp.path() + "/Outside/Note.txt", "unix");
  const std::string onZ = tmp.path() + "/OUTSIDE/note.TXT";
  const struct { std::string path, lines; } cases[] = {
      {"C:\\DATA\\readme.txt", "lower"},  // the exact spelling wins...
      {"c:\\dAtA\\README.TXT", "upper"},  // ...else the first in byte order, every time
      {"c:/data//sub/./file.txt", "text"},
      {"C:\\data\\other\\..\\sub\\file.txt", "text"},
      {"C:\\..\\..\\data\\sub\\file.txt", "text"},  // ".." stops at the root
      {"C:\\data\\sub\\file.txt. . ", "text"},
      {"common\\themes\\BLUE.INF", "title=Blue"},  // relative paths start in the kit
      {"d:\\SETUP\\notes.TXT", "notes"},
      {onZ, "unix"},  // a path starting with "/" or "\" is on Z:
      {"Q:\\file.txt", "error 3"},  // no such drive
      {"C:\\data\\missing.txt", "error 2"}, {"C:\\nowhere\\file.txt", "error 3"},
      {"C:\\data\\sub\\file.txt\\inner.txt", "error 3"},  // a file is no folder
  };
  for (const auto& c : cases) EXPECT_EQ(Lines(c.path), c.lines) << c.path;
  EXPECT_EQ(Names("Common\\Themes\\*.inf"), Strings{"blue.inf"});
  EXPECT_EQ(machine().MakeDirectory("q:\\folder"), kErrorPathNotFound);
  for (const char* name : {"a<b", "a>b", "a|b", "a\"b", "a*b", "a?b"}) {
    EXPECT_EQ(machine().MakeDirectory(std::string("C:\\data\\") + name), kErrorInvalidName) << name;
  }
  EXPECT_EQ(Names("C:\\da*a\\*.*"), Strings{"error 123"});  // wildcards only in the last part
  EXPECT_EQ(Copy("C:\\data\\x?.txt", "C:\\data\\y.txt"), kErrorInvalidName);
}

TEST_F(MachineContract, SearchOrderWildcardsAndFailures) {
  for (const char* name : {"1033.lang", "1033.lang.bak", "noext", "a.txt", "A.txt", "ab.txt",
                           "B.TXT", "_under"}) {
    prefix().AddFile(std::string("C:\\w\\") + name);
  }
  prefix().AddFolder("C:\\w\\C").AddFolder("C:\\empty").AddDrive('z', "/");
  const Strings all{".", "..", "1033.lang", "1033.lang.bak", "A.txt", "a.txt", "ab.txt",
                    "B.TXT", "C", "noext", "_under"};
  const struct { const char* pattern; Strings names; } cases[] = {
      {"C:\\w\\*.*", all}, {"C:\\w\\*.lang", {"1033.lang"}}, {"C:\\w\\noext.*", {"noext"}},
      {"C:\\w\\?.txt", {"A.txt", "a.txt", "B.TXT"}},
      {"C:\\w\\*b*", {"1033.lang.bak", "ab.txt", "B.TXT"}}, {"C:\\empty\\*.*", {".", ".."}},
      {"C:\\empty\\*.txt", {"error 2"}}, {"C:\\missing\\*.*", {"error 3"}},
      {"C:\\W\\A.TXT", {"A.txt"}},  // without wildcards: the entry itself, named as on disk
      {"C:\\w\\C\\", {"error 2"}}, {"C:\\w\\a.txt\\*", {"error 3"}},
  };
  for (const auto& c : cases) EXPECT_EQ(Names(c.pattern), c.names) << c.pattern;
  // A drive root has no dot entries.
  const Strings onC = Names("C:\\*.*"), onZ = Names("z:\\*");
  EXPECT_TRUE(onC.front() != "." && !onZ.empty() && onZ.front() != ".");
  EXPECT_NE(std::find(onC.begin(), onC.end(), "windows"), onC.end());
}

// A link is listed as one, and a folder's identity sees through links.
TEST_F(MachineContract, FindDataFlagsAndFolderIdentity) {
  prefix().AddFile("C:\\f\\locked.txt").AddFile("C:\\f\\plain.txt").AddFolder("C:\\f\\dir");
  prefix().AddFolder("C:\\other").AddFolder("C:\\loop");
  chmod(Host("C:\\f\\locked.txt").c_str(), 0444);
  symlink(Host("C:\\f\\dir").c_str(), Host("C:\\f\\link").c_str());
  symlink("a", Host("C:\\loop\\b").c_str());
  symlink("b", Host("C:\\loop\\a").c_str());
  std::vector<FindData> entries;
  ASSERT_EQ(machine().FindFiles("C:\\f\\*.*", &entries), kErrorSuccess);
  std::string flags;  // name:directory,readOnly,reparsePoint
  for (const FindData& e : entries) {
    flags += e.name + ":" + std::to_string(e.directory) + std::to_string(e.readOnly) +
             std::to_string(e.reparsePoint) + " ";
  }
  EXPECT_EQ(flags, ".:100 ..:100 dir:100 link:101 locked.txt:010 plain.txt:000 ");
  const auto identity = [this](const char* path) {
    std::string id;
    const ErrorCode error = machine().FolderIdentity(path, &id);
    return error == kErrorSuccess ? id : "error " + std::to_string(error);
  };
  const std::string real = identity("C:\\F\\DIR");
  EXPECT_EQ(real.rfind("error", 0), std::string::npos);
  EXPECT_EQ(identity("c:\\f\\LINK"), real);
  EXPECT_NE(identity("C:\\other"), real);
  EXPECT_EQ(identity("C:\\missing"), "error 2");
  EXPECT_EQ(identity("C:\\loop\\a"), "error 1921");
}

}  // namespace
}  // namespace tpl::test
