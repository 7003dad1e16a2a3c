// The progress bar of the copying pass ends full whatever the number of
// files, including totals beyond the bar's 16-bit range.
#include "install/progress_ticker.h"

#include <gtest/gtest.h>

#include "ui/memory_dialog.h"

namespace tpl {
namespace {

struct Bar {
  Bar() : dialog(*FindDialogTemplate(kIddWizard)) { control.Attach(peer(), kIdcProgress); }
  MemoryPeer* peer() { return dialog.Peer(kIdcProgress); }
  MemoryDialog dialog;
  CProgressCtrl control;
};

class ProgressTickerTotals : public ::testing::TestWithParam<int> {};

TEST_P(ProgressTickerTotals, BarIsFullExactlyAfterTheLastFile) {
  const int total = GetParam();
  Bar bar;
  bar.peer()->SetPos(40);  // left over from an earlier version
  ProgressTicker ticker;
  ticker.Start(bar.control, total);
  const int upper = total > ProgressTicker::kMaxRange ? ProgressTicker::kMaxRange : total;
  EXPECT_EQ(bar.peer()->RangeLower(), 0);
  EXPECT_EQ(bar.peer()->RangeUpper(), upper);
  EXPECT_EQ(bar.peer()->Pos(), 0);

  int lastPos = 0;
  for (int i = 1; i < total; ++i) {
    ticker.Tick();
    const int pos = bar.peer()->Pos();
    ASSERT_GE(pos, lastPos) << "bar went back at file " << i;
    ASSERT_LT(pos, upper) << "bar full before the last file, at file " << i;
    lastPos = pos;
  }
  ticker.Tick();
  EXPECT_EQ(bar.peer()->Pos(), upper);
  EXPECT_EQ(bar.peer()->steps(), upper);  // never more than one step per file
}

INSTANTIATE_TEST_SUITE_P(Totals, ProgressTickerTotals,
                         ::testing::Values(1, 3, 65534, 65535, 65536, 70000, 131070, 131071,
                                           250000));

}  // namespace
}  // namespace tpl
