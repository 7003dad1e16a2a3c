// The walk that counts or copies a kit folder tree, and folder creation.
#include <gtest/gtest.h>

#include <filesystem>

#include "install_fixture.h"
#include "machine/errors.h"

namespace tpl::test {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

// The kit's theme folder as the walk sees it, and a destination below C:.
constexpr char kSource[] = "fp2000\\themes";
constexpr char kDest[] = "C:\\dest\\themes";

bool StartsWith(const std::string& text, const std::string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

TEST(CopyFolder, CountsEveryLevelAndCopiesWithFoldersLoggedBeforeTheirFiles) {
  InstallFixture f;
  f.Kit("fp2000/themes/top.css", "t");
  f.Kit("fp2000/themes/blue/a.css", "a");
  f.Kit("fp2000/themes/blue/b.css", "b");
  f.KitFolder("fp2000/themes/empty");
  f.StartFor(kFP2002);

  EXPECT_EQ(f.wizard().CopyFolder(kSource, kDest, false), 3);
  EXPECT_TRUE(f.DestUntouched());
  EXPECT_TRUE(f.NewLogLines().empty());
  EXPECT_EQ(f.bar().steps(), 0);

  EXPECT_EQ(f.wizard().CopyFolder(kSource, kDest, true), 3);
  // The search delivers blue, empty, top.css (sorted, case ignored).
  EXPECT_EQ(
      f.NewLogLines(),
      (Lines{"Created folder C:\\dest\\themes", "Created folder C:\\dest\\themes\\blue",
             "Copied file: C:\\dest\\themes\\blue\\a.css",
             "Copied file: C:\\dest\\themes\\blue\\b.css", "Created folder C:\\dest\\themes\\empty",
             "Copied file: C:\\dest\\themes\\top.css"}));
  EXPECT_EQ(f.Read("C:\\dest\\themes\\blue\\b.css"), "b");
  EXPECT_EQ(f.Read("C:\\dest\\themes\\top.css"), "t");
  EXPECT_TRUE(f.Exists("C:\\dest\\themes\\empty"));
  EXPECT_EQ(f.bar().steps(), 3);

  // Again over the tree now there: the folders are found, not made.
  EXPECT_EQ(f.wizard().CopyFolder(kSource, kDest, true), 3);
  EXPECT_EQ(f.NewLogLinesStarting("Created folder ").size(), 3u);
  EXPECT_EQ(f.NewLogLinesStarting("Copied file: ").size(), 6u);
  EXPECT_TRUE(f.ui.messageBoxes().empty());
}

TEST(CopyFolder, TopLevelFileBeforeAnySubFolderGetsItsMissingFolderFirst) {
  InstallFixture f;
  f.Kit("common/dwts/a.dwt", "a");
  f.Kit("common/dwts/z/b.dwt", "b");
  f.KitFolder("common/empty");
  f.StartFor(kFP2003);
  // An empty or missing source still creates nothing.
  EXPECT_EQ(f.wizard().CopyFolder("common\\empty", "C:\\dest\\DWTs", true), 0);
  EXPECT_EQ(f.wizard().CopyFolder("common\\missing", "C:\\dest\\DWTs", true), 0);
  EXPECT_TRUE(f.DestUntouched());

  ASSERT_TRUE(f.wizard().CopyTree("common\\dwts", "C:\\dest\\DWTs"));
  EXPECT_EQ(f.NewLogLines(),
            (Lines{"Created folder C:\\dest\\DWTs", "Copied file: C:\\dest\\DWTs\\a.dwt",
                   "Created folder C:\\dest\\DWTs\\z", "Copied file: C:\\dest\\DWTs\\z\\b.dwt"}));
  EXPECT_EQ(f.Read("C:\\dest\\DWTs\\a.dwt"), "a");
}

TEST(CopyFolder, OverwritesAnExistingFileButNotAReadOnlyOne) {
  InstallFixture f;
  f.Kit("fp2000/themes/a.css", "new");
  f.Kit("fp2000/themes/b.css", "new");
  f.prefix.AddFile("C:\\dest\\themes\\a.css", "old");
  f.prefix.AddFile("C:\\dest\\themes\\b.css", "old");
  f.StartFor(kFP2002);
  const std::string readOnly = f.HostPath("C:\\dest\\themes\\b.css");
  fs::permissions(readOnly,
                  fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);

  EXPECT_FALSE(f.wizard().CopyTree(kSource, kDest));
  EXPECT_EQ(f.Read("C:\\dest\\themes\\a.css"), "new");
  EXPECT_EQ(f.Read("C:\\dest\\themes\\b.css"), "old");
  const std::vector<std::string> lines = f.NewLogLines();
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[0], "Copied file: C:\\dest\\themes\\a.css");
  EXPECT_EQ(lines[1], "File copy failed:: C:\\dest\\themes\\b.css");
  EXPECT_TRUE(StartsWith(lines[2], "Reason: (5) ")) << lines[2];
  ASSERT_EQ(f.ui.messageBoxes().size(), 1u);
  EXPECT_TRUE(StartsWith(f.ui.messageBoxes()[0].text,
                         "File copy failed:: C:\\dest\\themes\\b.css\nReason: (5) "));
  EXPECT_EQ(f.ui.messageBoxes()[0].type, kMbIconExclamation);
  EXPECT_EQ(f.bar().steps(), 2);  // the failed file was stepped for too
}

TEST(CopyFolder, FailureDeepInTheTreeEndsTheWholeWalk) {
  InstallFixture f;
  f.Kit("fp2000/themes/a/1.css");
  f.Kit("fp2000/themes/a/deep/2.css");
  f.Kit("fp2000/themes/a/deep/3.css");
  f.Kit("fp2000/themes/a/later.css");
  f.Kit("fp2000/themes/b/4.css");
  f.Kit("fp2000/themes/z.css");
  f.StartFor(kFP2002);
  f.machine().FailCopy("C:\\dest\\themes\\a\\deep\\2.css", kErrorSharingViolation);

  EXPECT_EQ(f.wizard().CopyFolder(kSource, kDest, true), -1);
  EXPECT_EQ(f.machine().copies(), 2);  // 1.css, then the failing 2.css
  EXPECT_FALSE(f.Exists("C:\\dest\\themes\\b"));
  EXPECT_FALSE(f.Exists("C:\\dest\\themes\\z.css"));
  EXPECT_TRUE(f.Exists("C:\\dest\\themes\\a\\1.css"));  // no rollback
  EXPECT_TRUE(StartsWith(f.LineAfter("File copy failed:: C:\\dest\\themes\\a\\deep\\2.css"),
                         "Reason: (32) "));
  EXPECT_EQ(f.NewLogLinesStarting("Copied file: "),
            (Lines{"Copied file: C:\\dest\\themes\\a\\1.css"}));
}

TEST(CopyFolder, AFileWhereAFolderMustGoFailsAsAFolderCreation) {
  InstallFixture f;
  f.Kit("fp2000/themes/blue/a.css");
  f.Kit("fp2000/themes/red/b.css");
  f.Kit("fp2000/pages/p.htm");
  f.prefix.AddFile("C:\\dest\\themes\\blue", "in the way");  // a sub-folder's place
  f.prefix.AddFile("C:\\dest\\pages", "in the way");         // the destination's own
  f.StartFor(kFP2002);

  EXPECT_FALSE(f.wizard().CopyTree(kSource, kDest));
  EXPECT_FALSE(f.wizard().CopyTree("fp2000\\pages", "C:\\dest\\pages"));
  EXPECT_FALSE(f.wizard().CreateFolderPath("C:\\dest\\pages\\below"));
  EXPECT_EQ(f.machine().copies(), 0);
  EXPECT_EQ(f.Read("C:\\dest\\themes\\blue"), "in the way");
  EXPECT_FALSE(f.Exists("C:\\dest\\themes\\red"));  // the walk ended at blue
  EXPECT_EQ(f.NewLogLinesStarting("Failed to create folder:"),
            (Lines{"Failed to create folder:: C:\\dest\\themes\\blue",
                   "Failed to create folder:: C:\\dest\\pages",
                   "Failed to create folder:: C:\\dest\\pages"}));
  EXPECT_EQ(f.NewLogLinesStarting("Reason: (183) ").size(), 3u);
  EXPECT_EQ(f.ui.messageBoxes().size(), 3u);
}

TEST(CopyFolder, LinkedFolderLeadingBackIsReportedNotWalkedForever) {
  InstallFixture f;
  f.Kit("fp2000/themes/blue/a.css");
  f.Kit("fp2000/themes/shared/a.css", "s");
  f.Kit("fp2000/themes/zeta.css");
  f.StartFor(kFP2002);
  const std::string themes = f.kitDir + "/fp2000/themes";
  // Links to one folder from two branches are no loop; one back up the path is.
  fs::create_directory_symlink("../shared", themes + "/blue/again");
  fs::create_directory_symlink("shared", themes + "/other");
  fs::create_directory_symlink("..", themes + "/shared/loop");

  // Counting skips the loop: it neither hangs nor reports.
  EXPECT_EQ(f.wizard().CopyFolder(kSource, kDest, false), 5);
  EXPECT_TRUE(f.ui.messageBoxes().empty());

  EXPECT_FALSE(f.wizard().CopyTree(kSource, kDest));
  EXPECT_EQ(f.Read("C:\\dest\\themes\\blue\\again\\a.css"), "s");
  EXPECT_FALSE(f.Exists("C:\\dest\\themes\\blue\\again\\loop"));
  EXPECT_FALSE(f.Exists("C:\\dest\\themes\\other"));  // the walk ended at the loop
  EXPECT_EQ(f.NewLogLinesStarting("Failed to create folder:"),
            (Lines{"Failed to create folder:: C:\\dest\\themes\\blue\\again\\loop"}));
  EXPECT_EQ(f.NewLogLinesStarting("Reason: (1921) ").size(), 1u);
  ASSERT_EQ(f.ui.messageBoxes().size(), 1u);
  EXPECT_TRUE(
      StartsWith(f.ui.messageBoxes()[0].text,
                 "Failed to create folder:: C:\\dest\\themes\\blue\\again\\loop\nReason: (1921) "));
}

TEST(CreateFolderPath, CreatesFromTheOutermostMissingFolderDownOrFailsSilently) {
  InstallFixture f;
  f.StartFor(kFP2002);
  EXPECT_TRUE(f.wizard().CreateFolderPath("C:\\dest"));
  EXPECT_TRUE(f.wizard().CreateFolderPath("C:\\dest\\a\\b\\c"));
  EXPECT_TRUE(f.Exists("C:\\dest\\a\\b\\c"));
  // An unknown drive, a path without parent: no log line, no box.
  EXPECT_FALSE(f.wizard().CreateFolderPath("Q:\\x\\y"));
  EXPECT_FALSE(f.wizard().CreateFolderPath("x"));
  EXPECT_EQ(f.NewLogLines(), (Lines{"Created folder C:\\dest\\a", "Created folder C:\\dest\\a\\b",
                                    "Created folder C:\\dest\\a\\b\\c"}));
  EXPECT_TRUE(f.ui.messageBoxes().empty());
}

}  // namespace
}  // namespace tpl::test
