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
  EXPECT_EQ(f.NewLogLines(),
            (Lines{"Created folder C:\\dest\\themes",
                          "Created folder C:\\dest\\themes\\blue",
                          "Copied file: C:\\dest\\themes\\blue\\a.css",
                          "Copied file: C:\\dest\\themes\\blue\\b.css",
                          "Created folder C:\\dest\\themes\\empty",
                          "Copied file: C:\\dest\\themes\\top.css"}));
  EXPECT_EQ(f.Read("C:\\dest\\themes\\blue\\b.css"), "b");
  EXPECT_EQ(f.Read("C:\\dest\\themes\\top.css"), "t");
  EXPECT_TRUE(f.Exists("C:\\dest\\themes\\empty"));
  EXPECT_EQ(f.bar().steps(), 3);
}

TEST(CopyFolder, MissingOrEmptySourceCountsNothingAndCreatesNothing) {
  InstallFixture f;
  f.KitFolder("fp2000/themes");
  f.StartFor(kFP2002);
  EXPECT_EQ(f.wizard().CopyFolder("fp2000\\themes", kDest, true), 0);
  EXPECT_EQ(f.wizard().CopyFolder("fp2000\\nothing", kDest, true), 0);
  EXPECT_TRUE(f.wizard().CopyTree("fp2000\\nothing", kDest));
  EXPECT_TRUE(f.DestUntouched());
  EXPECT_TRUE(f.NewLogLines().empty());
}

TEST(CopyFolder, TopLevelFileBeforeAnySubFolderGetsItsMissingFolderFirst) {
  InstallFixture f;
  f.Kit("common/dwts/a.dwt", "a");
  f.Kit("common/dwts/z/b.dwt", "b");
  f.StartFor(kFP2003);
  ASSERT_TRUE(f.wizard().CopyTree("common\\dwts", "C:\\dest\\DWTs"));
  EXPECT_EQ(f.NewLogLines(),
            (Lines{"Created folder C:\\dest\\DWTs",
                          "Copied file: C:\\dest\\DWTs\\a.dwt",
                          "Created folder C:\\dest\\DWTs\\z",
                          "Copied file: C:\\dest\\DWTs\\z\\b.dwt"}));
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
  fs::permissions(readOnly, fs::perms::owner_write | fs::perms::group_write |
                                fs::perms::others_write, fs::perm_options::remove);

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

TEST(CopyFolder, FailedFolderCreationIsReportedAndEndsTheWalk) {
  InstallFixture f;
  f.Kit("fp2000/themes/blue/a.css");
  f.Kit("fp2000/themes/red/b.css");
  f.StartFor(kFP2002);
  f.machine().FailMakeDirectory("C:\\dest\\themes\\blue", kErrorAccessDenied);

  EXPECT_FALSE(f.wizard().CopyTree(kSource, kDest));
  EXPECT_EQ(f.machine().copies(), 0);
  EXPECT_FALSE(f.Exists("C:\\dest\\themes\\red"));
  const std::vector<std::string> lines = f.NewLogLines();
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[0], "Created folder C:\\dest\\themes");
  EXPECT_EQ(lines[1], "Failed to create folder:: C:\\dest\\themes\\blue");
  EXPECT_TRUE(StartsWith(lines[2], "Reason: (5) ")) << lines[2];
  EXPECT_TRUE(f.NewLogLinesStarting("Created folder C:\\dest\\themes\\red").empty());
}

TEST(CopyFolder, AFileWhereASubFolderMustGoFailsAsAFolderCreation) {
  InstallFixture f;
  f.Kit("fp2000/themes/blue/a.css");
  f.prefix.AddFile("C:\\dest\\themes\\blue", "in the way");
  f.StartFor(kFP2002);

  EXPECT_FALSE(f.wizard().CopyTree(kSource, kDest));
  EXPECT_EQ(f.machine().copies(), 0);
  EXPECT_EQ(f.Read("C:\\dest\\themes\\blue"), "in the way");
  const std::vector<std::string> failed = f.NewLogLinesStarting("Failed to create folder:");
  EXPECT_EQ(failed,
            (Lines{"Failed to create folder:: C:\\dest\\themes\\blue"}));
  EXPECT_EQ(f.NewLogLinesStarting("Reason: (183) ").size(), 1u);
  EXPECT_TRUE(f.NewLogLinesStarting("File copy failed:").empty());
}

TEST(CopyFolder, AFileWhereTheDestinationItselfMustGoFailsBeforeAnyCopy) {
  InstallFixture f;
  f.Kit("fp2000/themes/a.css");
  f.prefix.AddFile("C:\\dest\\themes", "in the way");
  f.StartFor(kFP2002);
  EXPECT_FALSE(f.wizard().CopyTree(kSource, kDest));
  EXPECT_EQ(f.machine().copies(), 0);
  EXPECT_EQ(f.NewLogLinesStarting("Failed to create folder:"),
            (Lines{"Failed to create folder:: C:\\dest\\themes"}));
}

TEST(CopyFolder, LinkedFolderLeadingBackIsReportedNotWalkedForever) {
  InstallFixture f;
  f.Kit("fp2000/themes/blue/a.css");
  f.Kit("fp2000/themes/zeta.css");
  f.StartFor(kFP2002);
  fs::create_directory_symlink("..", f.kitDir + "/fp2000/themes/blue/loop");

  // Counting skips the loop: it neither hangs nor reports.
  EXPECT_EQ(f.wizard().CopyFolder(kSource, kDest, false), 2);
  EXPECT_TRUE(f.ui.messageBoxes().empty());

  EXPECT_FALSE(f.wizard().CopyTree(kSource, kDest));
  EXPECT_TRUE(f.Exists("C:\\dest\\themes\\blue\\a.css"));
  EXPECT_FALSE(f.Exists("C:\\dest\\themes\\blue\\loop"));
  EXPECT_FALSE(f.Exists("C:\\dest\\themes\\zeta.css"));  // the walk ended there
  EXPECT_EQ(f.NewLogLinesStarting("Failed to create folder:"),
            (Lines{"Failed to create folder:: C:\\dest\\themes\\blue\\loop"}));
  EXPECT_EQ(f.NewLogLinesStarting("Reason: (1921) ").size(), 1u);
  ASSERT_EQ(f.ui.messageBoxes().size(), 1u);
  EXPECT_TRUE(StartsWith(f.ui.messageBoxes()[0].text,
                         "Failed to create folder:: C:\\dest\\themes\\blue\\loop\nReason: (1921) "));
}

TEST(CopyFolder, LinkToItselfAndLinkedFolderUsedTwiceSideBySide) {
  InstallFixture f;
  f.Kit("fp2000/themes/shared/s.css", "s");
  f.StartFor(kFP2002);
  const std::string themes = f.kitDir + "/fp2000/themes";
  // Two links to the same folder in different branches are no loop.
  fs::create_directory_symlink("shared", themes + "/a_link");
  fs::create_directory(themes + "/b");
  fs::create_directory_symlink("../shared", themes + "/b/again");
  EXPECT_TRUE(f.wizard().CopyTree(kSource, kDest));
  EXPECT_EQ(f.Read("C:\\dest\\themes\\a_link\\s.css"), "s");
  EXPECT_EQ(f.Read("C:\\dest\\themes\\b\\again\\s.css"), "s");

  // A folder linked to itself is.
  fs::create_directory_symlink(".", themes + "/shared/self");
  EXPECT_FALSE(f.wizard().CopyTree(kSource, "C:\\dest\\other"));
  EXPECT_EQ(f.NewLogLinesStarting("Failed to create folder:"),
            (Lines{"Failed to create folder:: C:\\dest\\other\\a_link\\self"}));
}

TEST(CreateFolderPath, CreatesFromTheOutermostMissingFolderDown) {
  InstallFixture f;
  f.prefix.AddFolder("C:\\there");
  f.StartFor(kFP2002);
  EXPECT_TRUE(f.wizard().CreateFolderPath("C:\\there"));
  EXPECT_TRUE(f.wizard().CreateFolderPath("C:\\there\\a\\b\\c"));
  EXPECT_TRUE(f.Exists("C:\\there\\a\\b\\c"));
  EXPECT_EQ(f.NewLogLines(),
            (Lines{"Created folder C:\\there\\a", "Created folder C:\\there\\a\\b",
                          "Created folder C:\\there\\a\\b\\c"}));
}

TEST(CreateFolderPath, AnExistingFileIsNoFolder) {
  InstallFixture f;
  f.prefix.AddFile("C:\\there\\file");
  f.StartFor(kFP2002);
  EXPECT_FALSE(f.wizard().CreateFolderPath("C:\\there\\file"));
  EXPECT_FALSE(f.wizard().CreateFolderPath("C:\\there\\file\\below"));
  // The second climb stops at the same file, reporting it again.
  EXPECT_EQ(f.NewLogLinesStarting("Failed to create folder:"),
            (Lines{"Failed to create folder:: C:\\there\\file",
                          "Failed to create folder:: C:\\there\\file"}));
  EXPECT_EQ(f.ui.messageBoxes().size(), 2u);
}

TEST(CreateFolderPath, UnknownDriveAndPathsWithoutParentFailSilently) {
  InstallFixture f;
  f.StartFor(kFP2002);
  EXPECT_FALSE(f.wizard().CreateFolderPath("Q:\\x\\y"));
  EXPECT_FALSE(f.wizard().CreateFolderPath("x"));
  EXPECT_FALSE(f.wizard().CreateFolderPath(""));
  EXPECT_TRUE(f.NewLogLines().empty());
  EXPECT_TRUE(f.ui.messageBoxes().empty());
}

}  // namespace
}  // namespace tpl::test
