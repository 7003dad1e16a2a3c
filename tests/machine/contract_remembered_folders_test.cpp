// The machine remembers folder listings and where drives lead; what it
// remembers must never hide what is on disk when that matters: what it made
// itself, a name made behind its back, a drive moved elsewhere.
#include <fcntl.h>
#include <sys/stat.h>

#include <filesystem>

#include "machine_contract.h"

namespace tpl::test {
namespace {

namespace fs = std::filesystem;

class RememberedFolders : public MachineContract {
 protected:
  static timespec WriteTime(const std::string& path) {
    struct stat info {};
    stat(path.c_str(), &info);
    return info.st_mtim;
  }
  // Gives a folder the write time `when` (default: long past, so that a
  // listing of it is trusted at once: no change can hide in the clock's last tick).
  static timespec SetWriteTime(const std::string& path, timespec when = {time(nullptr) - 3600, 0}) {
    const timespec times[2] = {when, when};
    EXPECT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    return when;
  }
};

TEST_F(RememberedFolders, WhatTheMachineMadeIsSeen) {
  prefix().AddFile("C:\\src\\a.txt", "a").AddFolder("C:\\dst");
  EXPECT_EQ(Names("C:\\dst\\*.*"), (Strings{".", ".."}));  // listed and remembered
  EXPECT_EQ(Lines("C:\\dst\\later.txt"), "error 2");       // a lookup that misses
  ASSERT_EQ(machine().MakeDirectory("C:\\dst\\Sub"), kErrorSuccess);
  ASSERT_EQ(Copy("C:\\src\\a.txt", "C:\\dst\\Later.txt"), kErrorSuccess);
  std::unique_ptr<LogWriter> log;
  ASSERT_EQ(machine().CreateLogFile("C:\\dst\\x.log", &log), kErrorSuccess);
  EXPECT_EQ(Names("C:\\dst\\*.*"), (Strings{".", "..", "Later.txt", "Sub", "x.log"}));
  EXPECT_EQ(Lines("C:\\DST\\LATER.TXT"), "a");
  // Copies into fresh folders keep the caller's spelling, and are found in any case.
  ASSERT_EQ(machine().MakeDirectory("C:\\DST\\sub\\Deeper"), kErrorSuccess);
  ASSERT_EQ(Copy("C:\\src\\a.txt", "C:\\dst\\SUB\\deeper\\One.TXT"), kErrorSuccess);
  ASSERT_EQ(Copy("C:\\src\\a.txt", "C:\\dst\\sub\\deeper\\one.txt"), kErrorSuccess);
  EXPECT_EQ(ListHostTree(Host("C:\\dst\\Sub")), Strings{"Deeper/One.TXT"});
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
  EXPECT_EQ(Lines("C:\\dst\\outside.txt"), "error 2");
  WriteHostFile(Host("C:\\dst\\Outside.txt"), "o");
  // Another spelling than the one looked for: the folder must be listed again.
  EXPECT_EQ(Lines("C:\\dst\\OUTSIDE.TXT"), "o");
  EXPECT_EQ(Names("C:\\dst\\*.txt"), Strings{"Outside.txt"});
  // In a folder the machine made, even in the same clock tick.
  const std::string made = Host("C:\\dst\\Gone");
  const timespec justMade = WriteTime(made);
  WriteHostFile(made + "/Theirs.txt", "t");
  SetWriteTime(made, justMade);
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
