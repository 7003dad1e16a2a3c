// The wineprefix machine's remembered listings: a folder is read once however
// many paths go through it, and read again when it changed since.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <ctime>

#include <string>

#include "machine/wineprefix/directory_cache.h"
#include "machine/wineprefix/path_resolver.h"
#include "support/prefix_builder.h"
#include "support/temp_dir.h"

namespace tpl::test {
namespace {

TEST(DirectoryCache, EachFolderIsListedOnceForAnyNumberOfPaths) {
  TempDir tmp;
  PrefixBuilder prefix(tmp.path() + "/prefix", PrefixOptions{false, "tester", false});
  for (const char* name : {"One.txt", "Two.txt", "Three.txt"}) prefix.AddFile(std::string("C:\\Kit\\Blue\\") + name);
  prefix.Write();
  DirectoryCache cache;
  PathResolver resolver(prefix.root(), "/", cache);
  const auto resolveAll = [&resolver] {
    for (const char* path : {"c:\\KIT\\blue\\one.TXT", "C:\\kit\\Blue\\TWO.txt", "C:\\Kit\\BLUE\\three.txt"}) {
      ResolvedPath resolved;
      ASSERT_EQ(resolver.Resolve(path, PathResolver::Purpose::kLookUp, &resolved), kErrorSuccess);
      EXPECT_TRUE(resolved.exists) << path;
    }
  };
  resolveAll();
  const size_t listed = cache.listings();
  EXPECT_LE(listed, 3u);  // drive_c, Kit and Blue at most
  resolveAll();
  EXPECT_EQ(cache.listings(), listed);
}

// A name made by someone else in another spelling than the one asked for is
// found only by listing the folder again: its write time tells that it changed.
TEST(DirectoryCache, AFolderChangedSinceItWasListedIsListedAgain) {
  TempDir tmp;
  const std::string dir = tmp.path() + "/dir";
  MakeHostFolders(dir);
  const timespec old[2] = {{time(nullptr) - 3600, 0}, {time(nullptr) - 3600, 0}};
  ASSERT_EQ(utimensat(AT_FDCWD, dir.c_str(), old, 0), 0);  // no change can hide in its last tick
  DirectoryCache cache;
  std::string onDisk;
  EXPECT_EQ(cache.Find(dir, "theirs.txt", false, &onDisk), kErrorFileNotFound);
  // Unchanged since: a miss is answered from the listing.
  const size_t listed = cache.listings();
  EXPECT_EQ(cache.Find(dir, "other.txt", false, &onDisk), kErrorFileNotFound);
  EXPECT_EQ(cache.listings(), listed);
  WriteHostFile(dir + "/Theirs.TXT", "t");
  EXPECT_EQ(cache.Find(dir, "theirs.txt", false, &onDisk), kErrorSuccess);
  EXPECT_EQ(onDisk, "Theirs.TXT");
}

// The folder of a path is worked out once for the files in it; a folder on
// the way that gains an exact spelling of the name asked for must be taken.
TEST(DirectoryCache, AnotherSpellingOnTheWayIsTakenForLaterFiles) {
  TempDir tmp;
  PrefixBuilder prefix(tmp.path() + "/prefix", PrefixOptions{false, "tester", false});
  prefix.AddFile("C:\\Kit\\Blue\\One.txt");
  prefix.Write();
  DirectoryCache cache;
  PathResolver resolver(prefix.root(), "/", cache);
  ResolvedPath resolved;
  ASSERT_EQ(resolver.Resolve("C:\\Kit\\blue\\One.txt", PathResolver::Purpose::kLookUp, &resolved), kErrorSuccess);
  const std::string blue = resolved.folder;
  const std::string kit = blue.substr(0, blue.find_last_of('/'));
  EXPECT_EQ(blue, kit + "/Blue");
  WriteHostFile(kit + "/blue/One.txt", "exact");
  cache.Added(kit, "blue");
  ASSERT_EQ(resolver.Resolve("C:\\Kit\\blue\\One.txt", PathResolver::Purpose::kLookUp, &resolved), kErrorSuccess);
  EXPECT_EQ(resolved.unixPath, kit + "/blue/One.txt");
}

}  // namespace
}  // namespace tpl::test
