// The machine remembers folder listings and where drives lead; what it
// remembers must never hide what is on disk when that matters: what it made
// itself, a name made behind its back, a drive moved elsewhere.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "machine/wineprefix/directory_cache.h"
#include "machine/wineprefix/path_resolver.h"
#include "machine_contract.h"

namespace tpl::test {
namespace {

namespace fs = std::filesystem;

class RememberedFolders : public MachineContract {
 protected:
  // Gives a folder the write time `when` (default: long past, so that a
  // listing of it is trusted at once: no change can hide in the clock's last tick).
  static timespec SetWriteTime(const std::string& path, timespec when = {time(nullptr) - 3600, 0}) {
    const timespec times[2] = {when, when};
    EXPECT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    return when;
  }
};

// The cache itself: a folder is read once however many paths go through it,
// and read again when it changed since.
TEST_F(RememberedFolders, EachFolderIsListedOnceUntilItChanges) {
  prefix().AddFile("C:\\Kit\\Blue\\One.txt").AddFile("C:\\Kit\\Blue\\Two.txt");
  DirectoryCache cache;
  PathResolver resolver(prefix().root(), "/", cache);
  ResolvedPath resolved;
  const auto resolveAll = [&] {
    for (const char* path : {"c:\\KIT\\blue\\one.TXT", "C:\\kit\\Blue\\TWO.txt", "C:\\Kit\\BLUE\\one.txt"}) {
      ASSERT_EQ(resolver.Resolve(path, PathResolver::Purpose::kLookUp, &resolved), kErrorSuccess);
      EXPECT_TRUE(resolved.exists) << path;
    }
  };
  resolveAll();
  const size_t listed = cache.listings();
  EXPECT_LE(listed, 3u);  // drive_c, Kit and Blue at most
  resolveAll();
  EXPECT_EQ(cache.listings(), listed);
  // A miss in a folder unchanged since is answered from the listing; a name
  // made since in another spelling is found only by listing it again.
  const std::string blue = resolved.folder;
  SetWriteTime(blue);
  std::string onDisk;
  EXPECT_EQ(cache.Find(blue, "theirs.txt", false, &onDisk), kErrorFileNotFound);
  const size_t relisted = cache.listings();
  EXPECT_EQ(cache.Find(blue, "other.txt", false, &onDisk), kErrorFileNotFound);
  EXPECT_EQ(cache.listings(), relisted);
  WriteHostFile(blue + "/Theirs.TXT", "t");
  EXPECT_EQ(cache.Find(blue, "theirs.txt", false, &onDisk), kErrorSuccess);
  EXPECT_EQ(onDisk, "Theirs.TXT");
  // The folder of a path is worked out once for the files in it; a folder on
  // the way that gains an exact spelling of the name asked for must be taken.
  const char* const inBlue = "C:\\Kit\\blue\\One.txt";
  ASSERT_EQ(resolver.Resolve(inBlue, PathResolver::Purpose::kLookUp, &resolved), kErrorSuccess);
  const std::string kitFolder = blue.substr(0, blue.find_last_of('/'));
  ASSERT_EQ(resolved.folder, kitFolder + "/Blue");
  WriteHostFile(kitFolder + "/blue/One.txt", "exact");
  cache.Added(kitFolder, "blue");
  ASSERT_EQ(resolver.Resolve(inBlue, PathResolver::Purpose::kLookUp, &resolved), kErrorSuccess);
  EXPECT_EQ(resolved.unixPath, kitFolder + "/blue/One.txt");
}

// A path below a folder already worked out is looked up part by part from
// there, in any case; once a search finds that folder changed (a name on the
// way renamed behind the machine's back), what was worked out from it goes.
TEST_F(RememberedFolders, PathsBelowAKnownFolderFollowItsListing) {
  prefix().AddFile("C:\\Kit\\top.txt").AddFile("C:\\Kit\\Blue\\Deep\\One.txt");
  DirectoryCache cache;
  PathResolver resolver(prefix().root(), "/", cache);
  ResolvedPath resolved;
  ASSERT_EQ(resolver.Resolve("C:\\Kit\\top.txt", PathResolver::Purpose::kLookUp, &resolved), kErrorSuccess);
  const std::string kitDir = resolved.folder;
  const char* const deep = "C:\\Kit\\blue\\DEEP\\one.txt";
  ASSERT_EQ(resolver.Resolve(deep, PathResolver::Purpose::kLookUp, &resolved), kErrorSuccess);
  EXPECT_EQ(resolved.unixPath, kitDir + "/Blue/Deep/One.txt");
  fs::rename(kitDir + "/Blue", kitDir + "/Old");
  fs::create_directories(kitDir + "/BLUE/deep");
  WriteHostFile(kitDir + "/BLUE/deep/ONE.txt", "new");
  std::vector<DirectoryCache::ListedName> names;
  const int fd = open(kitDir.c_str(), O_RDONLY | O_DIRECTORY);
  ASSERT_EQ(cache.ListFresh(kitDir, fd, &names), kErrorSuccess);
  close(fd);
  ASSERT_EQ(resolver.Resolve(deep, PathResolver::Purpose::kLookUp, &resolved), kErrorSuccess);
  EXPECT_EQ(resolved.unixPath, kitDir + "/BLUE/deep/ONE.txt");
}

// A Unix folder may hold several spellings of one name: taking one away
// leaves the next one in byte order as the answer for any case, with no
// need to read the folder again.
TEST_F(RememberedFolders, SpellingsOfOneNameGoOneByOne) {
  prefix().AddFile("C:\\two\\a.txt", "lower").AddFile("C:\\two\\A.txt", "upper");
  const std::string two = Host("C:\\two");
  SetWriteTime(two);
  DirectoryCache cache;
  std::string onDisk;
  ASSERT_EQ(cache.Find(two, "a.TXT", false, &onDisk), kErrorSuccess);
  EXPECT_EQ(onDisk, "A.txt");
  fs::remove(two + "/A.txt");
  cache.Deleted(two, "A.txt");
  const size_t listed = cache.listings();
  ASSERT_EQ(cache.Find(two, "a.TXT", false, &onDisk), kErrorSuccess);
  EXPECT_EQ(onDisk, "a.txt");
  EXPECT_EQ(cache.listings(), listed);
}

TEST_F(RememberedFolders, WhatTheMachineMadeIsSeen) {
  prefix().AddFile("C:\\src\\a.txt", "a").AddFolder("C:\\dst");
  EXPECT_EQ(Names("C:\\dst\\*.*"), (Strings{".", ".."}));  // listed and remembered
  EXPECT_EQ(Lines("C:\\dst\\later.txt"), "error 2");       // a lookup that misses
  ASSERT_EQ(machine().MakeDirectory("C:\\dst\\Sub"), kErrorSuccess);
  ASSERT_EQ(Copy("C:\\src\\a.txt", "C:\\dst\\Later.txt"), kErrorSuccess);
  std::unique_ptr<LogWriter> log;
  ASSERT_EQ(machine().CreateLogFile("C:\\dst\\New.log", &log), kErrorSuccess);
  EXPECT_EQ(Names("C:\\dst\\*.*"), (Strings{".", "..", "Later.txt", "New.log", "Sub"}));
  EXPECT_EQ(Lines("C:\\DST\\LATER.TXT"), "a");
  // Copies into fresh folders keep the caller's spelling; a source is found in any case.
  ASSERT_EQ(machine().MakeDirectory("C:\\DST\\sub\\Deeper"), kErrorSuccess);
  ASSERT_EQ(Copy("C:\\src\\A.TXT", "C:\\dst\\SUB\\deeper\\One.TXT"), kErrorSuccess);
  ASSERT_EQ(Copy("C:\\src\\a.txt", "C:\\dst\\sub\\deeper\\one.txt"), kErrorSuccess);
  EXPECT_EQ(Names("C:\\dst\\SUB\\deeper\\*"), (Strings{".", "..", "One.TXT"}));
}

TEST_F(RememberedFolders, ChangesMadeOutsideAreSeen) {
  prefix().AddFolder("C:\\dst\\gone").AddFile("C:\\dst\\file.txt").AddFolder("C:\\other");
  EXPECT_EQ(machine().MakeDirectory("C:\\dst\\gone"), kErrorAlreadyExists);  // now remembered
  fs::remove(Host("C:\\dst\\gone"));
  fs::remove(Host("C:\\dst\\file.txt"));
  EXPECT_EQ(Names("C:\\dst\\file.txt"), Strings{"error 2"});
  EXPECT_EQ(machine().MakeDirectory("C:\\DST\\Gone"), kErrorSuccess);
  EXPECT_TRUE(HostPathExists(Host("C:\\dst\\Gone")));
  // In a folder the machine made, even in the same clock tick.
  const std::string made = Host("C:\\dst\\Gone");
  struct stat justMade {};
  stat(made.c_str(), &justMade);
  WriteHostFile(made + "/Theirs.txt", "t");
  SetWriteTime(made, justMade.st_mtim);
  EXPECT_EQ(Lines("C:\\dst\\gone\\THEIRS.TXT"), "t");
  EXPECT_EQ(machine().MakeDirectory("C:\\dst\\GONE\\theirs.txt"), kErrorAlreadyExists);
  EXPECT_EQ(Names("C:\\other\\*.*"), (Strings{".", ".."}));
  fs::remove_all(Host("C:\\other"));
  EXPECT_EQ(Names("C:\\other\\*.*"), Strings{"error 3"});  // listed before, gone now
}

// Someone else makes the very name while the folder's time stays put (same
// clock tick, or a program that sets it back): the listing cannot tell.
TEST_F(RememberedFolders, NameMadeBehindAnUnchangedListingStillCounts) {
  prefix().AddFile("C:\\src\\a.txt", "new").AddFolder("C:\\dst");
  const std::string dst = Host("C:\\dst");
  const timespec old = SetWriteTime(dst);
  EXPECT_EQ(Lines("C:\\dst\\a.txt"), "error 2");  // listed: no a.txt
  WriteHostFile(dst + "/a.txt", "theirs");
  chmod((dst + "/a.txt").c_str(), 0444);
  SetWriteTime(dst, old);
  // Read-only refuses even root, and the file stays as it was.
  EXPECT_EQ(Copy("C:\\src\\a.txt", "C:\\dst\\a.txt"), kErrorAccessDenied);
  EXPECT_EQ(ReadHostFile(dst + "/a.txt"), "theirs");
  fs::create_directory(dst + "/sub");
  SetWriteTime(dst, old);
  EXPECT_EQ(Copy("C:\\src\\a.txt", "C:\\dst\\sub"), kErrorAccessDenied);
  EXPECT_EQ(machine().MakeDirectory("C:\\dst\\sub"), kErrorAlreadyExists);
  // A writable file made the same way is overwritten, not doubled.
  WriteHostFile(dst + "/b.txt", "theirs");
  SetWriteTime(dst, old);
  ASSERT_EQ(Copy("C:\\src\\a.txt", "C:\\dst\\b.txt"), kErrorSuccess);
  EXPECT_EQ(ReadHostFile(dst + "/b.txt"), "new");
}

// Copies fill a folder without asking its time file after file; once they
// move on, a name someone else made there meanwhile is found all the same,
// even behind a folder time set back to what was listed.
TEST_F(RememberedFolders, ANameMadeWhileCopiesFillAFolderIsSeenOnceTheyMoveOn) {
  prefix().AddFile("C:\\src\\a.txt", "new").AddFolder("C:\\dst").AddFolder("C:\\other");
  const std::string dst = Host("C:\\dst");
  const timespec old = SetWriteTime(dst);
  ASSERT_EQ(Copy("C:\\src\\a.txt", "C:\\dst\\one.txt"), kErrorSuccess);
  ASSERT_EQ(Copy("C:\\src\\a.txt", "C:\\dst\\two.txt"), kErrorSuccess);
  WriteHostFile(dst + "/Theirs.TXT", "theirs");
  SetWriteTime(dst, old);
  ASSERT_EQ(Copy("C:\\src\\a.txt", "C:\\other\\x.txt"), kErrorSuccess);
  ASSERT_EQ(Copy("C:\\src\\a.txt", "C:\\dst\\theirs.txt"), kErrorSuccess);
  Strings onDisk;
  for (const auto& entry : fs::directory_iterator(dst)) onDisk.push_back(entry.path().filename());
  std::sort(onDisk.begin(), onDisk.end());
  EXPECT_EQ(onDisk, (Strings{"Theirs.TXT", "one.txt", "two.txt"}));
  EXPECT_EQ(ReadHostFile(dst + "/Theirs.TXT"), "new");
  // Likewise in the folders made on the way down to the copies.
  ASSERT_EQ(machine().MakeDirectory("C:\\dst\\Made"), kErrorSuccess);
  ASSERT_EQ(machine().MakeDirectory("C:\\dst\\Made\\Deep"), kErrorSuccess);
  ASSERT_EQ(Copy("C:\\src\\a.txt", "C:\\dst\\Made\\Deep\\one.txt"), kErrorSuccess);
  for (const char* made : {"/Made/Theirs.TXT", "/Made/Deep/Theirs.TXT"}) WriteHostFile(dst + made, "theirs");
  ASSERT_EQ(Copy("C:\\src\\a.txt", "C:\\other\\y.txt"), kErrorSuccess);
  ASSERT_EQ(Copy("C:\\src\\a.txt", "C:\\dst\\Made\\theirs.txt"), kErrorSuccess);
  ASSERT_EQ(Copy("C:\\src\\a.txt", "C:\\dst\\Made\\Deep\\theirs.txt"), kErrorSuccess);
  for (const char* made : {"/Made/Theirs.TXT", "/Made/Deep/Theirs.TXT"}) EXPECT_EQ(ReadHostFile(dst + made), "new");
}

TEST_F(RememberedFolders, SearchesListEveryEntryOfALargeFolder) {
  constexpr int kFiles = 1000;  // far more than one read of the folder brings
  for (int n = 0; n < kFiles; ++n) {
    prefix().AddFile("C:\\big\\a_rather_long_file_name_number_" + std::to_string(n) + ".txt");
  }
  EXPECT_EQ(Names("C:\\big\\*").size(), kFiles + 2u);
  EXPECT_EQ(Lines("C:\\BIG\\A_RATHER_LONG_FILE_NAME_NUMBER_999.TXT"), "");
  EXPECT_EQ(Names("C:\\big\\*_77.txt"), Strings{"a_rather_long_file_name_number_77.txt"});
}

TEST_F(RememberedFolders, DriveLinkedElsewhereIsFollowedWhenAPathFails) {
  const std::string first = tmp.path() + "/first", second = tmp.path() + "/second";
  prefix().AddDrive('d', first);
  WriteHostFile(first + "/one.txt", "first");
  WriteHostFile(second + "/Only/two.txt", "second");
  EXPECT_EQ(Lines("D:\\one.txt"), "first");
  prefix().AddDrive('d', second);
  EXPECT_EQ(Lines("d:\\only\\TWO.txt"), "second");
  EXPECT_EQ(Names("D:\\only\\*.txt"), Strings{"two.txt"});
  fs::remove(tmp.path() + "/prefix/dosdevices/d:");
  fs::remove_all(second);
  EXPECT_EQ(machine().MakeDirectory("D:\\again"), kErrorPathNotFound);
  EXPECT_EQ(Lines("D:\\only\\two.txt"), "error 3");
}

}  // namespace
}  // namespace tpl::test
