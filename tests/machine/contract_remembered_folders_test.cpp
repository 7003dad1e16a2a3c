// The machine remembers folder listings and where drives lead; what it
// remembers must never hide what is on disk when that matters: a name made
// behind its back, a folder it made itself, a drive moved elsewhere.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "machine_contract.h"

namespace tpl::test {
namespace {

using Strings = std::vector<std::string>;

class RememberedFolders : public MachineContract {
 protected:
  static timespec WriteTime(const std::string& path) {
    struct stat info {};
    stat(path.c_str(), &info);
    return info.st_mtim;
  }
  static void SetWriteTime(const std::string& path, timespec when) {
    const timespec times[2] = {when, when};
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
  }
  // Gives a folder a write time long past, so that a listing of it is
  // trusted at once (no change can still hide in the clock's last tick).
  static timespec AgeFolder(const std::string& path) {
    const timespec old{time(nullptr) - 3600, 0};
    SetWriteTime(path, old);
    return old;
  }
};

// Someone else makes the very name while the folder's time stays put (same
// clock tick, or a program that sets it back): the listing cannot tell.
TEST_F(RememberedFolders, NameMadeBehindAnUnchangedListingStillCounts) {
  prefix().AddFile("C:\\src\\a.txt", "new").AddFolder("C:\\dst");
  const std::string dst = Host("C:\\dst");
  const timespec old = AgeFolder(dst);
  EXPECT_EQ(Lines("C:\\dst\\a.txt"), "error 2");  // listed: no a.txt

  WriteHostFile(dst + "/a.txt", "theirs");
  chmod((dst + "/a.txt").c_str(), 0444);
  ASSERT_NO_FATAL_FAILURE(SetWriteTime(dst, old));
  // Read-only refuses even root, and the file stays as it was.
  EXPECT_EQ(machine().CopyFileOver("C:\\src\\a.txt", "C:\\dst\\a.txt"), kErrorAccessDenied);
  EXPECT_EQ(ReadHostFile(dst + "/a.txt"), "theirs");

  std::filesystem::create_directory(dst + "/sub");
  ASSERT_NO_FATAL_FAILURE(SetWriteTime(dst, old));
  EXPECT_EQ(machine().CopyFileOver("C:\\src\\a.txt", "C:\\dst\\sub"), kErrorAccessDenied);
  EXPECT_EQ(machine().MakeDirectory("C:\\dst\\sub"), kErrorAlreadyExists);

  // A writable file made the same way is overwritten, not doubled.
  WriteHostFile(dst + "/b.txt", "theirs");
  ASSERT_NO_FATAL_FAILURE(SetWriteTime(dst, old));
  ASSERT_EQ(machine().CopyFileOver("C:\\src\\a.txt", "C:\\dst\\b.txt"), kErrorSuccess);
  EXPECT_EQ(ReadHostFile(dst + "/b.txt"), "new");
}

TEST_F(RememberedFolders, FolderTheMachineMadeShowsWhatOthersPutInIt) {
  prefix().AddFolder("C:\\dst");
  ASSERT_EQ(machine().MakeDirectory("C:\\dst\\New"), kErrorSuccess);
  const std::string made = Host("C:\\dst\\New");
  const timespec justMade = WriteTime(made);
  WriteHostFile(made + "/Outside.txt", "o");
  ASSERT_NO_FATAL_FAILURE(SetWriteTime(made, justMade));  // as if in the same tick
  EXPECT_EQ(Lines("C:\\dst\\new\\OUTSIDE.TXT"), "o");
  EXPECT_EQ(machine().MakeDirectory("C:\\dst\\NEW\\outside.txt"), kErrorAlreadyExists);
}

TEST_F(RememberedFolders, CopiesIntoFreshFoldersKeepTheCallersSpelling) {
  prefix().AddFile("C:\\src\\a.txt", "a").AddFolder("C:\\dst");
  ASSERT_EQ(machine().MakeDirectory("C:\\dst\\Deep"), kErrorSuccess);
  ASSERT_EQ(machine().MakeDirectory("C:\\DST\\deep\\Deeper"), kErrorSuccess);
  ASSERT_EQ(machine().CopyFileOver("C:\\src\\a.txt", "C:\\dst\\DEEP\\deeper\\One.TXT"),
            kErrorSuccess);
  ASSERT_EQ(machine().CopyFileOver("C:\\src\\a.txt", "C:\\dst\\deep\\deeper\\one.txt"),
            kErrorSuccess);
  EXPECT_EQ(ListHostTree(Host("C:\\dst")), Strings{"Deep/Deeper/One.TXT"});
  EXPECT_EQ(Names("C:\\dst\\deep\\deeper\\*"), (Strings{".", "..", "One.TXT"}));
}

TEST_F(RememberedFolders, SearchesListEveryEntryOfALargeFolder) {
  prefix().AddFolder("C:\\big");
  constexpr int kFiles = 1000;  // far more than one read of the folder brings
  for (int n = 0; n < kFiles; ++n) {
    WriteHostFile(Host("C:\\big\\a_rather_long_file_name_number_" + std::to_string(n) + ".txt"),
                  "");
  }
  EXPECT_EQ(Names("C:\\big\\*").size(), kFiles + 2u);
  EXPECT_EQ(Lines("C:\\BIG\\A_RATHER_LONG_FILE_NAME_NUMBER_999.TXT"), "");
  EXPECT_EQ(Names("C:\\big\\*_77.txt"), Strings{"a_rather_long_file_name_number_77.txt"});
}

TEST_F(RememberedFolders, SearchBelowAFileOrAMissingFolderFindsNoFolder) {
  prefix().AddFile("C:\\dst\\file.txt");
  EXPECT_EQ(Names("C:\\dst\\file.txt\\*"), Strings{"error 3"});
  EXPECT_EQ(Names("C:\\dst\\none\\*.*"), Strings{"error 3"});
  EXPECT_EQ(Names("C:\\dst\\*.*"), (Strings{".", "..", "file.txt"}));
  std::filesystem::remove_all(Host("C:\\dst"));
  EXPECT_EQ(Names("C:\\dst\\*.*"), Strings{"error 3"});  // listed before, gone now
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

  std::filesystem::remove(tmp.path() + "/prefix/dosdevices/d:");
  std::filesystem::remove_all(second);
  EXPECT_EQ(machine().MakeDirectory("D:\\again"), kErrorPathNotFound);
  EXPECT_EQ(Lines("D:\\only\\two.txt"), "error 3");
}

}  // namespace
}  // namespace tpl::test
