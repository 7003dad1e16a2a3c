// The progress bar while files are copied: on a terminal redrawn in place,
// throttled, its last state always drawn.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <set>

#include "console_test_support.h"
#include "ui/dialog.h"

namespace tpl::test {
namespace {

const char kCaption[] = "Installing FrontPage 2002 files";

// Template 102 whose "Next >" copies 20,000 files the way the install driver
// shows it: range and position set, caption painted at once, one step per
// file; the last file fails, so the bar stops short of its end.
class CopyingDialog : public CDialog {
 public:
  explicit CopyingDialog(FrontEnd& ui) : CDialog(kIddWizard, ui) {
    OnClicked(kIdcNext, [this] {
      ControlPeer* bar = PeerOf(kIdcProgress);
      bar->SetRange(0, 20000);
      bar->SetStep(1);
      bar->SetPos(0);
      bar->Show(true);
      PeerOf(kIdcProgressText)->SetText(kCaption);
      PeerOf(kIdcProgressText)->Repaint();
      for (int i = 1; i < 20000; ++i) bar->StepIt();
      EndDialog(kIdOk);
    });
  }
  bool OnInitDialog() override {
    CDialog::OnInitDialog();
    PeerOf(kIdcProgress)->Show(false);
    PeerOf(kIdcLanguage)->Show(false);
    return true;
  }
};

TEST(ConsoleProgress, OnATerminalTheBarIsRedrawnInPlaceAtMostTenTimesASecond) {
  auto now = std::chrono::steady_clock::time_point();
  ConsoleOptions options;
  options.terminal = true;
  options.inputEchoed = true;
  options.clock = [&now] { return now += std::chrono::milliseconds(1); };  // a file a millisecond
  ConsoleSession session("n\n", options);
  CopyingDialog dialog(session.Start());
  EXPECT_EQ(dialog.DoModal(), kIdOk);

  const std::string out = session.out.str();
  const size_t caption = out.find(std::string(kCaption) + "\n");
  ASSERT_NE(caption, std::string::npos);
  // 20 seconds of copying: about 200 redraws, not 20,000.
  const int draws = session.ui->meter().draws();
  EXPECT_GE(draws, 150);
  EXPECT_LE(draws, 210);
  EXPECT_EQ(std::count(out.begin(), out.end(), '\r'), draws);
  // The last state is drawn, though the throttle skipped it, and its line ended.
  EXPECT_NE(out.find("] 99%  19999/20000\x1b[K\n"), std::string::npos);
  EXPECT_LT(caption, out.find("\r  ["));
  // The bar keeps its length while the count grows by digits.
  std::set<size_t> barEnds;
  for (size_t at = out.find("\r  ["); at != std::string::npos; at = out.find("\r  [", at + 1)) {
    barEnds.insert(out.find(']', at) - at);
  }
  EXPECT_EQ(barEnds.size(), 1u);
  EXPECT_NE(out.find("] 0%      1/20000"), std::string::npos);
}

}  // namespace
}  // namespace tpl::test
