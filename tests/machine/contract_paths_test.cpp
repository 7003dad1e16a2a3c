// Path resolution and directory search, on every machine.
#include <sys/stat.h>
#include <unistd.h>

#include "machine_contract.h"

namespace tpl::test {
namespace {

using Strings = std::vector<std::string>;

class PathContract : public MachineContract {};
TPL_INSTANTIATE_MACHINE_CONTRACT(PathContract);

TEST_P(PathContract, ExactSpellingWinsThenAnyCaseMatches) {
  prefix().AddFile("C:\\Data\\Readme.txt", "upper").AddFile("C:\\Data\\readme.txt", "lower");
  EXPECT_EQ(Lines("C:\\DATA\\readme.txt"), "lower");
  EXPECT_EQ(Lines("C:\\data\\Readme.txt"), "upper");
  // Neither spelling exact: the first in byte order, the same every time.
  EXPECT_EQ(Lines("c:\\dAtA\\README.TXT"), "upper");
}

TEST_P(PathContract, SeparatorsDotsAndTrailingDotsAreNormalised) {
  prefix().AddFile("C:\\Data\\Sub\\file.txt", "text");
  EXPECT_EQ(Lines("c:/data//sub/./file.txt"), "text");
  EXPECT_EQ(Lines("C:\\data\\other\\..\\sub\\file.txt"), "text");
  EXPECT_EQ(Lines("C:\\..\\..\\data\\sub\\file.txt"), "text");  // ".." stops at the root
  EXPECT_EQ(Lines("C:\\data\\sub\\file.txt. . "), "text");
}

TEST_P(PathContract, RelativePathsStartInTheKitFolder) {
  WriteHostFile(kit + "/Common/Themes/blue.inf", "title=Blue");
  EXPECT_EQ(Lines("common\\themes\\BLUE.INF"), "title=Blue");
  EXPECT_EQ(Lines("..\\kit\\common\\themes\\blue.inf"), "title=Blue");
  EXPECT_EQ(Names("Common\\Themes\\*.inf"), Strings{"blue.inf"});
}

TEST_P(PathContract, DrivesComeFromDosdevices) {
  EXPECT_EQ(Names("Q:\\*.*"), Strings{"error 3"});
  EXPECT_EQ(machine().MakeDirectory("q:\\folder"), kErrorPathNotFound);
  EXPECT_EQ(Lines("Q:\\file.txt"), "error 3");
}

TEST_P(PathContract, AddedDriveIsReachableInAnyCase) {
  prefix().AddDrive('d', tmp.path() + "/ddrive");
  WriteHostFile(tmp.path() + "/ddrive/Setup/Notes.txt", "notes");
  EXPECT_EQ(Lines("d:\\SETUP\\notes.TXT"), "notes");
}

// Z: is the Unix root in a real prefix; a path starting with "\" is on it.
TEST_P(PathContract, UnixRootDriveAndRootRelativePaths) {
  prefix().AddDrive('z', "/");
  WriteHostFile(tmp.path() + "/Outside/Note.txt", "unix");
  std::string windows = "Z:" + tmp.path() + "/OUTSIDE/note.TXT";
  EXPECT_EQ(Lines(windows), "unix");
  EXPECT_EQ(Lines(windows.substr(2)), "unix");
  const Strings root = Names("z:\\*");
  ASSERT_FALSE(root.empty());
  EXPECT_NE(root.front(), ".");
}

TEST_P(PathContract, ReservedCharactersAreBadNames) {
  prefix().AddFolder("C:\\data");
  for (const char* name : {"a<b", "a>b", "a|b", "a\"b", "a*b", "a?b"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(machine().MakeDirectory(std::string("C:\\data\\") + name), kErrorInvalidName);
  }
  EXPECT_EQ(Names("C:\\da*a\\*.*"), Strings{"error 123"});  // wildcards only in the last part
  EXPECT_EQ(machine().CopyFileOver("C:\\data\\x?.txt", "C:\\data\\y.txt"), kErrorInvalidName);
}

TEST_P(PathContract, MissingFolderOnTheWayIsPathNotFound) {
  prefix().AddFile("C:\\data\\file.txt");
  EXPECT_EQ(Lines("C:\\data\\missing.txt"), "error 2");
  EXPECT_EQ(Lines("C:\\nowhere\\file.txt"), "error 3");
  EXPECT_EQ(Lines("C:\\data\\file.txt\\inner.txt"), "error 3");  // a file is no folder
}

TEST_P(PathContract, SearchOrderIsDotsThenCaseInsensitiveNames) {
  prefix().AddFile("C:\\list\\b.txt").AddFile("C:\\list\\a.txt").AddFile("C:\\list\\A.txt");
  prefix().AddFolder("C:\\list\\C").AddFile("C:\\list\\_under");
  EXPECT_EQ(Names("C:\\list\\*.*"),
            (Strings{".", "..", "A.txt", "a.txt", "b.txt", "C", "_under"}));
  EXPECT_EQ(Names("C:\\list\\*"), Names("C:\\list\\*.*"));
}

TEST_P(PathContract, DriveRootHasNoDotEntries) {
  const Strings names = Names("C:\\*.*");
  ASSERT_FALSE(names.empty());
  EXPECT_NE(names.front(), ".");
  EXPECT_NE(std::find(names.begin(), names.end(), "windows"), names.end());
}

TEST_P(PathContract, SearchResultsAndFailures) {
  prefix().AddFolder("C:\\empty").AddFile("C:\\full\\One.TXT").AddFolder("C:\\full\\Sub");
  EXPECT_EQ(Names("C:\\empty\\*.*"), (Strings{".", ".."}));
  EXPECT_EQ(Names("C:\\empty\\*.txt"), Strings{"error 2"});
  EXPECT_EQ(Names("C:\\missing\\*.*"), Strings{"error 3"});
  // Without wildcards: the entry itself, named as on disk.
  EXPECT_EQ(Names("C:\\FULL\\one.txt"), Strings{"One.TXT"});
  EXPECT_EQ(Names("C:\\full\\sub"), Strings{"Sub"});
  EXPECT_EQ(Names("C:\\full\\none.txt"), Strings{"error 2"});
  EXPECT_EQ(Names("C:\\full\\Sub\\"), Strings{"error 2"});
}

TEST_P(PathContract, WildcardsMatchLikeWindows) {
  for (const char* name : {"1033.lang", "1033.lang.bak", "noext", "a.txt", "ab.txt", "B.TXT"}) {
    prefix().AddFile(std::string("C:\\w\\") + name);
  }
  EXPECT_EQ(Names("C:\\w\\*.*"),
            (Strings{".", "..", "1033.lang", "1033.lang.bak", "a.txt", "ab.txt", "B.TXT", "noext"}));
  EXPECT_EQ(Names("C:\\w\\*.lang"), Strings{"1033.lang"});
  EXPECT_EQ(Names("C:\\w\\?.txt"), (Strings{"a.txt", "B.TXT"}));
  EXPECT_EQ(Names("C:\\w\\*.TXT"), (Strings{"a.txt", "ab.txt", "B.TXT"}));
  EXPECT_EQ(Names("C:\\w\\noext.*"), Strings{"noext"});
  EXPECT_EQ(Names("C:\\w\\*b*"), (Strings{"1033.lang.bak", "ab.txt", "B.TXT"}));
}

TEST_P(PathContract, FindDataFlags) {
  prefix().AddFile("C:\\f\\locked.txt").AddFile("C:\\f\\plain.txt").AddFolder("C:\\f\\dir");
  chmod(Host("C:\\f\\locked.txt").c_str(), 0444);
  symlink(Host("C:\\f\\dir").c_str(), Host("C:\\f\\link").c_str());
  std::vector<FindData> entries;
  ASSERT_EQ(machine().FindFiles("C:\\f\\*.*", &entries), kErrorSuccess);
  ASSERT_EQ(entries.size(), 6u);
  EXPECT_TRUE(entries[0].directory);  // "."
  EXPECT_EQ(entries[2].name, "dir");
  EXPECT_TRUE(entries[2].directory);
  EXPECT_FALSE(entries[2].reparsePoint);
  EXPECT_EQ(entries[3].name, "link");
  EXPECT_TRUE(entries[3].directory);
  EXPECT_TRUE(entries[3].reparsePoint);
  EXPECT_EQ(entries[4].name, "locked.txt");
  EXPECT_TRUE(entries[4].readOnly);
  EXPECT_FALSE(entries[4].directory);
  EXPECT_FALSE(entries[5].readOnly);
}

TEST_P(PathContract, FolderIdentitySeesThroughLinks) {
  prefix().AddFolder("C:\\real\\inner").AddFolder("C:\\other");
  symlink(Host("C:\\real").c_str(), Host("C:\\alias").c_str());
  std::string real, alias, other;
  ASSERT_EQ(machine().FolderIdentity("C:\\REAL", &real), kErrorSuccess);
  ASSERT_EQ(machine().FolderIdentity("c:\\alias", &alias), kErrorSuccess);
  ASSERT_EQ(machine().FolderIdentity("C:\\other", &other), kErrorSuccess);
  EXPECT_EQ(real, alias);
  EXPECT_NE(real, other);
  std::string loop;
  ASSERT_EQ(machine().FolderIdentity("C:\\alias\\inner\\..", &loop), kErrorSuccess);
  EXPECT_EQ(loop, real);
  EXPECT_EQ(machine().FolderIdentity("C:\\missing", &loop), kErrorFileNotFound);
}

TEST_P(PathContract, LinkLoopIsNotResolvable) {
  prefix().AddFolder("C:\\loop");
  symlink("a", Host("C:\\loop\\b").c_str());
  symlink("b", Host("C:\\loop\\a").c_str());
  std::string identity;
  EXPECT_EQ(machine().FolderIdentity("C:\\loop\\a", &identity), kErrorCantResolveFilename);
}

}  // namespace
}  // namespace tpl::test
