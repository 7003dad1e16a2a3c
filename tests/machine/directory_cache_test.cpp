// The wineprefix machine's remembered listings: a folder is read once however
// many paths go through it, and read again when it changed since.
#include "machine/wineprefix/directory_cache.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <ctime>
#include <string>

#include "machine/wineprefix/path_resolver.h"
#include "support/prefix_builder.h"
#include "support/temp_dir.h"

namespace tpl::test {
namespace {

TEST(DirectoryCache, EachFolderIsListedOnceUntilItChanges) {
  TempDir tmp;
  PrefixBuilder prefix(tmp.path() + "/prefix", PrefixOptions{false, "tester", false});
  prefix.AddFile("C:\\Kit\\Blue\\One.txt").AddFile("C:\\Kit\\Blue\\Two.txt").Write();
  DirectoryCache cache;
  PathResolver resolver(prefix.root(), "/", cache);
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
  const timespec old[2] = {{time(nullptr) - 3600, 0}, {time(nullptr) - 3600, 0}};
  ASSERT_EQ(utimensat(AT_FDCWD, blue.c_str(), old, 0), 0);  // no change can hide in its last tick
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
  const std::string kit = blue.substr(0, blue.find_last_of('/'));
  ASSERT_EQ(resolved.folder, kit + "/Blue");
  WriteHostFile(kit + "/blue/One.txt", "exact");
  cache.Added(kit, "blue");
  ASSERT_EQ(resolver.Resolve(inBlue, PathResolver::Purpose::kLookUp, &resolved), kErrorSuccess);
  EXPECT_EQ(resolved.unixPath, kit + "/blue/One.txt");
}

}  // namespace
}  // namespace tpl::test
