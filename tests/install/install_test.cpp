// The walk that counts or copies a kit folder tree, folder creation, and the
// install driver: the rows of a version's copy, the progress display, and the
// copying that stops at the first failure; the progress bar ends full whatever
// the number of files, beyond its 16-bit range too.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>

#include "install/progress_ticker.h"
#include "install_fixture.h"
#include "machine/errors.h"
#include "res/strings.h"

namespace tpl::test {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

TEST(CopyFolder, CountsEveryLevelAndCopiesWithEachFolderMadeBeforeItsFiles) {
  InstallFixture f;
  f.Kit("fp2000/themes/blue/a.css", "a");  // a sub-folder first
  f.Kit("fp2000/themes/blue/b.css", "b");
  f.KitFolder("fp2000/themes/empty");
  f.Kit("fp2000/themes/top.css", "t");
  f.Kit("common/dwts/a.dwt", "d");  // a file first
  f.Kit("common/dwts/z/b.dwt");
  f.KitFolder("common/empty");
  f.StartFor(kFP2002);

  // Counting touches nothing; an empty or missing source creates nothing.
  EXPECT_EQ(f.wizard().CopyFolder("fp2000\\themes", "C:\\dest\\t", false), 3);
  EXPECT_EQ(f.wizard().CopyFolder("common\\empty", "C:\\dest\\e", true), 0);
  EXPECT_EQ(f.wizard().CopyFolder("common\\missing", "C:\\dest\\m", true), 0);
  EXPECT_TRUE(f.DestUntouched());
  EXPECT_EQ(f.bar().steps(), 0);

  EXPECT_EQ(f.wizard().CopyFolder("fp2000\\themes", "C:\\dest\\t", true), 3);
  EXPECT_TRUE(f.wizard().CopyTree("common\\dwts", "C:\\dest\\DWTs"));
  // The search delivers blue, empty, top.css (sorted, case ignored).
  EXPECT_EQ(f.NewLogLines(),
            (Lines{"Created folder C:\\dest\\t", "Created folder C:\\dest\\t\\blue",
                   "Copied file: C:\\dest\\t\\blue\\a.css", "Copied file: C:\\dest\\t\\blue\\b.css",
                   "Created folder C:\\dest\\t\\empty", "Copied file: C:\\dest\\t\\top.css",
                   "Created folder C:\\dest\\DWTs", "Copied file: C:\\dest\\DWTs\\a.dwt",
                   "Created folder C:\\dest\\DWTs\\z", "Copied file: C:\\dest\\DWTs\\z\\b.dwt"}));
  EXPECT_EQ(f.Read("C:\\dest\\t\\blue\\b.css") + f.Read("C:\\dest\\DWTs\\a.dwt"), "bd");
  EXPECT_TRUE(fs::is_directory(f.HostPath("C:\\dest\\t\\empty")));
  EXPECT_EQ(f.bar().steps(), 5);
  EXPECT_TRUE(f.ui.messageBoxes().empty());
}

// A failure anywhere ends the whole walk, with one box; nothing is rolled back.
// The log lines, boxes and files of every case are in copy_failures.txt.
TEST(CopyFolder, AFailureEndsTheWalkWhereItHappens) {
  const struct { const char* name; std::vector<std::string> kit;
                 std::function<void(InstallFixture&)> prepare; } cases[] = {
      {"a read-only file is not overwritten", {"a.css", "b.css"},
       [](InstallFixture& f) {
         f.prefix.AddFile("C:\\dest\\themes\\a.css", "old").AddFile("C:\\dest\\themes\\b.css", "old");
         chmod(f.HostPath("C:\\dest\\themes\\b.css").c_str(), 0444);  // refused even to root
       }},
      {"a copy failing deep in the tree",
       {"a/1.css", "a/deep/2.css", "a/deep/3.css", "a/later.css", "b/4.css", "z.css"},
       [](InstallFixture& f) {
         f.machine().FailCopy("C:\\dest\\themes\\a\\deep\\2.css", kErrorSharingViolation);
       }},
      {"a file where a sub-folder must go", {"blue/a.css", "red/b.css"},
       [](InstallFixture& f) { f.prefix.AddFile("C:\\dest\\themes\\blue", "old"); }},
      {"a file where the destination must go", {"a.css"},
       [](InstallFixture& f) { f.prefix.AddFile("C:\\dest\\themes", "old"); }},
      {"a linked folder leading back up", {"blue/a.css", "shared/a.css", "zeta.css"},
       [](InstallFixture& f) {
         // Links to one folder from two branches are no loop; one back up the path is.
         const std::string themes = f.kitDir + "/fp2000/themes";
         fs::create_directory_symlink("../shared", themes + "/blue/again");
         fs::create_directory_symlink("shared", themes + "/other");
         fs::create_directory_symlink("..", themes + "/shared/loop");
         // Counting skips the loop: it neither hangs nor reports.
         EXPECT_EQ(f.wizard().CopyFolder("fp2000\\themes", "C:\\dest\\themes", false), 5);
       }},
  };
  std::string out;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    InstallFixture f;
    for (const std::string& file : c.kit) f.Kit("fp2000/themes/" + file, "new");
    f.StartFor(kFP2002);
    c.prepare(f);
    EXPECT_FALSE(f.wizard().CopyTree("fp2000\\themes", "C:\\dest\\themes"));
    out += std::string("== ") + c.name + "\n";
    for (const std::string& line : f.Events()) out += line + "\n";
    for (const auto& box : f.ui.messageBoxes()) {
      out += "box: " + box.text.substr(0, box.text.find(')') + 1) + "\n";
    }
    for (const std::string& file : f.DestFiles()) {
      out += file + ": " + f.Read("C:\\dest\\" + file) + "\n";
    }
    out += "progress steps " + std::to_string(f.bar().steps()) + "\n";  // the failed file's too
  }
  ExpectDataFile(out, "install/copy_failures.txt");
}

TEST(CreateFolderPath, CreatesFromTheOutermostMissingFolderDownOrFailsSilently) {
  InstallFixture f;
  f.prefix.AddFile("C:\\dest\\file", "in the way");
  f.StartFor(kFP2002);
  EXPECT_TRUE(f.wizard().CreateFolderPath("C:\\dest"));
  EXPECT_TRUE(f.wizard().CreateFolderPath("C:\\dest\\a\\b\\c"));
  EXPECT_TRUE(fs::is_directory(f.HostPath("C:\\dest\\a\\b\\c")));
  // An unknown drive, a path without parent: no log line, no box.
  EXPECT_FALSE(f.wizard().CreateFolderPath("Q:\\x\\y"));
  EXPECT_FALSE(f.wizard().CreateFolderPath("x"));
  EXPECT_TRUE(f.ui.messageBoxes().empty());
  // A file on the way is reported where it stands.
  EXPECT_FALSE(f.wizard().CreateFolderPath("C:\\dest\\file\\below"));
  // Folders another installation made meanwhile are there, but not ours to log.
  f.machine().foldersMadeMeanwhile = true;
  EXPECT_TRUE(f.wizard().CreateFolderPath("C:\\dest\\theirs\\deeper"));
  EXPECT_TRUE(fs::is_directory(f.HostPath("C:\\dest\\theirs\\deeper")));
  EXPECT_EQ(f.Events(), (Lines{"Created folder C:\\dest\\a", "Created folder C:\\dest\\a\\b",
                               "Created folder C:\\dest\\a\\b\\c",
                               "Failed to create folder:: C:\\dest\\file", "Reason: (183)"}));
}

// FrontPage 2003 beside FrontPage 98 adds nothing to 98's copy; the common
// copy of an item comes last and wins.
TEST(InstallFiles, FrontPage98BesideFrontPage2003CopiesOnlyItsOwnRows) {
  InstallFixture f;
  f.Kit("fp98/themes/blue/blue.css", "version");
  f.Kit("common/themes/blue/blue.css", "common");
  f.StartFor(kFP98, /*found2003=*/true);
  ASSERT_TRUE(f.wizard().InstallFiles());
  const Lines rows = f.NewLogLinesStarting("Copying ");
  ASSERT_EQ(rows.size(), 8u);
  EXPECT_EQ(rows[7], "Copying common frame templates to C:\\dest\\frames");
  EXPECT_EQ(f.DestFiles(), Lines{"themes/blue/blue.css"});
  EXPECT_EQ(f.Read("C:\\dest\\themes\\blue\\blue.css"), "common");
}

TEST(InstallFiles, TheProgressDisplayPerVersionAndTheStopAtAFailure) {
  InstallFixture f;
  f.Kit("fp2000/themes/blue/a.css");
  f.Kit("fp2000/themes/blue/sub/b.css");
  f.Kit("common/pages/p.htm");
  f.StartFor(kFP2002);
  // The copy walks the tree it counted (and checked), not what the kit holds by then.
  f.machine().beforeFirstCopy = [&f] { f.Kit("common/pages/late.htm"); };
  ASSERT_TRUE(f.wizard().InstallFiles());
  EXPECT_EQ(f.DestFiles(), (Lines{"pages/p.htm", "themes/blue/a.css", "themes/blue/sub/b.css"}));
  EXPECT_EQ(f.StatusText(), LoadResString(kIdsCopying));
  EXPECT_EQ(f.bar().RangeUpper(), 3);
  EXPECT_TRUE(f.bar().IsVisible() && f.caption().IsVisible());
  EXPECT_EQ(f.caption().Text(), "Installing FrontPage 2002 files");
  EXPECT_GE(f.caption().repaints(), 1);

  // The next version restarts the bar.
  f.wizard().m_nHostVersion = kFP2003;
  f.wizard().m_strDwtDir = kDwtDir;
  ASSERT_TRUE(f.wizard().InstallFiles());
  EXPECT_EQ(f.bar().steps(), 7);  // the next version counts anew: late.htm too
  EXPECT_EQ(f.bar().Pos(), 4);
  EXPECT_EQ(f.caption().Text(), "Installing FrontPage 2003 files");

  // A failure in the first row's folder: no row after it is begun.
  f.machine().FailCopy("C:\\dest\\themes\\blue\\a.css", kErrorDiskFull);
  EXPECT_FALSE(f.wizard().InstallFiles());
  EXPECT_EQ(f.NewLogLinesStarting("Copying version-specific themes").size(), 3u);
  EXPECT_EQ(f.NewLogLinesStarting("Copying common themes").size(), 2u);
  EXPECT_EQ(f.bar().Pos(), 1);
  EXPECT_EQ(f.ui.waitCursorDepth(), 0);
}

TEST(ProgressTicker, BarIsFullExactlyAfterTheLastFile) {
  for (const int total : {1, 3, 65534, 65535, 65536, 70000, 131070, 131071, 250000}) {
    SCOPED_TRACE(total);
    MemoryDialog dialog(*FindDialogTemplate(kIddWizard));
    MemoryPeer& bar = *dialog.Peer(kIdcProgress);
    CProgressCtrl control;
    control.Attach(&bar, kIdcProgress);
    bar.SetPos(40);  // left over from an earlier version
    ProgressTicker ticker;
    ticker.Start(control, total);
    const int upper = total > ProgressTicker::kMaxRange ? ProgressTicker::kMaxRange : total;
    EXPECT_EQ(bar.RangeLower(), 0);
    EXPECT_EQ(bar.RangeUpper(), upper);
    EXPECT_EQ(bar.Pos(), 0);
    int lastPos = 0;
    for (int i = 1; i < total; ++i) {
      ticker.Tick();
      ASSERT_GE(bar.Pos(), lastPos) << "bar went back at file " << i;
      ASSERT_LT(bar.Pos(), upper) << "bar full before the last file, at file " << i;
      lastPos = bar.Pos();
    }
    ticker.Tick();
    EXPECT_EQ(bar.Pos(), upper);
    EXPECT_EQ(bar.steps(), upper);  // never more than one step per file
  }
}

}  // namespace
}  // namespace tpl::test
