// Path resolution and directory search, on the wineprefix machine.
#include <sys/stat.h>
#include <unistd.h>

#include "machine_contract.h"

namespace tpl::test {
namespace {

using Strings = std::vector<std::string>;

class PathContract : public MachineContract {};

TEST_F(PathContract, ExactSpellingWinsThenAnyCaseMatches) {
  prefix().AddFile("C:\\Data\\Readme.txt", "upper").AddFile("C:\\Data\\readme.txt", "lower");
  EXPECT_EQ(Lines("C:\\DATA\\readme.txt"), "lower");
  EXPECT_EQ(Lines("C:\\data\\Readme.txt"), "upper");
  // Neither spelling exact: the first in byte order, the same every time.
  EXPECT_EQ(Lines("c:\\dAtA\\README.TXT"), "upper");
}

TEST_F(PathContract, PathsResolveLikeWindows) {
  prefix().AddFile("C:\\Data\\Sub\\file.txt", "text").AddDrive('d', tmp.path() + "/ddrive");
  prefix().AddDrive('z', "/");  // the Unix root, as in a real prefix
  WriteHostFile(kit + "/Common/Themes/blue.inf", "title=Blue");
  WriteHostFile(tmp.path() + "/ddrive/Setup/Notes.txt", "notes");
  WriteHostFile(tmp.path() + "/Outside/Note.txt", "unix");
  const std::string onZ = tmp.path() + "/OUTSIDE/note.TXT";
  const struct { std::string path, lines; } cases[] = {
      {"c:/data//sub/./file.txt", "text"},
      {"C:\\data\\other\\..\\sub\\file.txt", "text"},
      {"C:\\..\\..\\data\\sub\\file.txt", "text"},  // ".." stops at the root
      {"C:\\data\\sub\\file.txt. . ", "text"},
      {"common\\themes\\BLUE.INF", "title=Blue"},  // relative paths start in the kit
      {"..\\kit\\common\\themes\\blue.inf", "title=Blue"},
      {"d:\\SETUP\\notes.TXT", "notes"},
      {"Z:" + onZ, "unix"},
      {onZ, "unix"},  // a path starting with "/" or "\" is on Z:
      {"Q:\\file.txt", "error 3"},  // no such drive
      {"C:\\data\\missing.txt", "error 2"},
      {"C:\\nowhere\\file.txt", "error 3"},
      {"C:\\data\\sub\\file.txt\\inner.txt", "error 3"},  // a file is no folder
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(Lines(c.path), c.lines);
  }
  EXPECT_EQ(Names("Common\\Themes\\*.inf"), Strings{"blue.inf"});
  EXPECT_EQ(machine().MakeDirectory("q:\\folder"), kErrorPathNotFound);
}

TEST_F(PathContract, ReservedCharactersAreBadNames) {
  prefix().AddFolder("C:\\data");
  for (const char* name : {"a<b", "a>b", "a|b", "a\"b", "a*b", "a?b"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(machine().MakeDirectory(std::string("C:\\data\\") + name), kErrorInvalidName);
  }
  EXPECT_EQ(Names("C:\\da*a\\*.*"), Strings{"error 123"});  // wildcards only in the last part
  EXPECT_EQ(machine().CopyFileOver("C:\\data\\x?.txt", "C:\\data\\y.txt"), kErrorInvalidName);
}

TEST_F(PathContract, SearchOrderWildcardsAndFailures) {
  for (const char* name : {"1033.lang", "1033.lang.bak", "noext", "a.txt", "A.txt", "ab.txt",
                           "B.TXT", "_under"}) {
    prefix().AddFile(std::string("C:\\w\\") + name);
  }
  prefix().AddFolder("C:\\w\\C").AddFolder("C:\\empty").AddDrive('z', "/");
  const Strings all{".", "..", "1033.lang", "1033.lang.bak", "A.txt", "a.txt", "ab.txt",
                    "B.TXT", "C", "noext", "_under"};
  const struct { const char* pattern; Strings names; } cases[] = {
      {"C:\\w\\*.*", all},
      {"C:\\w\\*", all},
      {"C:\\w\\*.lang", {"1033.lang"}},
      {"C:\\w\\?.txt", {"A.txt", "a.txt", "B.TXT"}},
      {"C:\\w\\*.TXT", {"A.txt", "a.txt", "ab.txt", "B.TXT"}},
      {"C:\\w\\noext.*", {"noext"}},
      {"C:\\w\\*b*", {"1033.lang.bak", "ab.txt", "B.TXT"}},
      {"C:\\empty\\*.*", {".", ".."}},
      {"C:\\empty\\*.txt", {"error 2"}},
      {"C:\\missing\\*.*", {"error 3"}},
      {"C:\\W\\A.TXT", {"A.txt"}},  // without wildcards: the entry itself, named as on disk
      {"C:\\w\\c", {"C"}},
      {"C:\\w\\none.txt", {"error 2"}},
      {"C:\\w\\C\\", {"error 2"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.pattern);
    EXPECT_EQ(Names(c.pattern), c.names);
  }
  // A drive root has no dot entries.
  for (const char* root : {"C:\\*.*", "z:\\*"}) {
    const Strings names = Names(root);
    ASSERT_FALSE(names.empty()) << root;
    EXPECT_NE(names.front(), ".") << root;
  }
  const Strings onC = Names("C:\\*.*");
  EXPECT_NE(std::find(onC.begin(), onC.end(), "windows"), onC.end());
}

TEST_F(PathContract, FindDataFlags) {
  prefix().AddFile("C:\\f\\locked.txt").AddFile("C:\\f\\plain.txt").AddFolder("C:\\f\\dir");
  chmod(Host("C:\\f\\locked.txt").c_str(), 0444);
  symlink(Host("C:\\f\\dir").c_str(), Host("C:\\f\\link").c_str());
  std::vector<FindData> entries;
  ASSERT_EQ(machine().FindFiles("C:\\f\\*.*", &entries), kErrorSuccess);
  std::string flags;  // name:directory,readOnly,reparsePoint
  for (const FindData& e : entries) {
    flags += e.name + ":" + std::to_string(e.directory) + std::to_string(e.readOnly) +
             std::to_string(e.reparsePoint) + " ";
  }
  EXPECT_EQ(flags, ".:100 ..:100 dir:100 link:101 locked.txt:010 plain.txt:000 ");
}

TEST_F(PathContract, FolderIdentitySeesThroughLinks) {
  prefix().AddFolder("C:\\real\\inner").AddFolder("C:\\other").AddFolder("C:\\loop");
  symlink(Host("C:\\real").c_str(), Host("C:\\alias").c_str());
  symlink("a", Host("C:\\loop\\b").c_str());
  symlink("b", Host("C:\\loop\\a").c_str());
  std::string real, alias, other, up;
  ASSERT_EQ(machine().FolderIdentity("C:\\REAL", &real), kErrorSuccess);
  ASSERT_EQ(machine().FolderIdentity("c:\\alias", &alias), kErrorSuccess);
  ASSERT_EQ(machine().FolderIdentity("C:\\other", &other), kErrorSuccess);
  ASSERT_EQ(machine().FolderIdentity("C:\\alias\\inner\\..", &up), kErrorSuccess);
  EXPECT_EQ(real, alias);
  EXPECT_NE(real, other);
  EXPECT_EQ(up, real);
  EXPECT_EQ(machine().FolderIdentity("C:\\missing", &up), kErrorFileNotFound);
  EXPECT_EQ(machine().FolderIdentity("C:\\loop\\a", &up), kErrorCantResolveFilename);
}

}  // namespace
}  // namespace tpl::test
