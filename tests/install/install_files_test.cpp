// The install driver: the rows of a version's copy, the progress display,
// and the copying that stops at the first failure; the progress bar ends full
// whatever the number of files, beyond its 16-bit range too.
#include <gtest/gtest.h>

#include "install/progress_ticker.h"
#include "install_fixture.h"
#include "res/strings.h"

namespace tpl::test {
namespace {

using Lines = std::vector<std::string>;

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
  EXPECT_EQ(rows[7], std::string("Copying common frame templates to ") + kFramesDir);
  EXPECT_EQ(f.DestFiles(), Lines{"themes/blue/blue.css"});
  EXPECT_EQ(f.Read("C:\\dest\\themes\\blue\\blue.css"), "common");
}

TEST(InstallFiles, TheProgressDisplayPerVersionAndTheStopAtAFailure) {
  InstallFixture f;
  f.Kit("fp2000/themes/blue/a.css");
  f.Kit("fp2000/themes/blue/sub/b.css");
  f.Kit("common/pages/p.htm");
  f.StartFor(kFP2002);
  f.bar().SetPos(50);
  ASSERT_TRUE(f.wizard().InstallFiles());
  EXPECT_EQ(f.StatusText(), LoadResString(kIdsCopying));
  EXPECT_EQ(f.bar().RangeUpper(), 3);
  EXPECT_EQ(f.bar().Pos(), 3);
  EXPECT_TRUE(f.bar().IsVisible() && f.caption().IsVisible());
  EXPECT_EQ(f.caption().Text(), "Installing FrontPage 2002 files");
  EXPECT_GE(f.caption().repaints(), 1);

  // The next version restarts the bar.
  f.wizard().m_nHostVersion = kFP2003;
  f.wizard().m_strDwtDir = kDwtDir;
  ASSERT_TRUE(f.wizard().InstallFiles());
  EXPECT_EQ(f.bar().steps(), 6);
  EXPECT_EQ(f.bar().Pos(), 3);
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
