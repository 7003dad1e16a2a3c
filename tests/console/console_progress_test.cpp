// The progress bar while files are copied: redrawn in place on a terminal,
// throttled; a caption and a final count elsewhere.
#include <gtest/gtest.h>

#include "console_test_support.h"
#include "ui/dialog.h"

namespace tpl {
namespace {

using test::ConsoleSession;
using test::Count;

// Template 102 whose "Next >" copies `files` files the way the install
// driver shows it: range, caption painted at once, one step per file.
class CopyingDialog : public CDialog {
 public:
  CopyingDialog(FrontEnd& ui, int files) : CDialog(kIddWizard, ui), files_(files) {
    OnClicked(kIdcNext, [this] { Copy(); });
  }
  bool OnInitDialog() override {
    CDialog::OnInitDialog();
    PeerOf(kIdcProgress)->Show(false);
    PeerOf(kIdcProgressText)->Show(false);
    PeerOf(kIdcLanguage)->Show(false);
    return true;
  }

 private:
  void Copy() {
    ControlPeer* bar = PeerOf(kIdcProgress);
    ControlPeer* caption = PeerOf(kIdcProgressText);
    bar->SetRange(0, static_cast<uint16_t>(files_));
    bar->SetStep(1);
    bar->SetPos(0);
    bar->Show(true);
    caption->SetText("Installing FrontPage 2002 files");
    caption->Show(true);
    caption->Repaint();
    for (int i = 0; i < files_; ++i) bar->StepIt();
    EndDialog(kIdOk);
  }
  int files_;
};

TEST(ConsoleProgress, OnATerminalTheBarIsRedrawnInPlaceAtMostTenTimesASecond) {
  auto now = std::chrono::steady_clock::time_point();
  ConsoleOptions options;
  options.terminal = true;
  options.inputEchoed = true;
  options.clock = [&now] {
    now += std::chrono::milliseconds(1);  // every file takes a millisecond
    return now;
  };
  ConsoleSession session("n\n", options);
  CopyingDialog dialog(session.ui, 20000);
  EXPECT_EQ(dialog.DoModal(), kIdOk);

  const std::string out = session.Output();
  const size_t caption = out.find("Installing FrontPage 2002 files\n");
  ASSERT_NE(caption, std::string::npos);
  // 20 seconds of copying: about 200 redraws, not 20,000.
  EXPECT_GE(session.ui.meter().draws(), 150);
  EXPECT_LE(session.ui.meter().draws(), 210);
  EXPECT_EQ(Count(out, "\r"), session.ui.meter().draws());
  // The last state is drawn and its line ended.
  EXPECT_NE(out.find("] 100%  20000/20000\x1b[K\n"), std::string::npos);
  EXPECT_LT(caption, out.find("\r  ["));
}

TEST(ConsoleProgress, AStillClockDrawsTheFirstAndTheLastStateOnly) {
  ConsoleOptions options;
  options.terminal = true;
  options.clock = [] { return std::chrono::steady_clock::time_point(); };
  ConsoleSession session("n\n", options);
  CopyingDialog dialog(session.ui, 500);
  dialog.DoModal();
  EXPECT_EQ(session.ui.meter().draws(), 2);
  EXPECT_NE(session.Output().find("\r  [" + std::string(61, '#') + "] 100%  500/500"),
            std::string::npos);
}

TEST(ConsoleProgress, OffATerminalTheCaptionOnceAndTheFinalCount) {
  ConsoleSession session("n\n");
  CopyingDialog dialog(session.ui, 20000);
  EXPECT_EQ(dialog.DoModal(), kIdOk);
  const std::string out = session.Output();
  EXPECT_EQ(Count(out, "Installing FrontPage 2002 files\n"), 1);
  EXPECT_EQ(Count(out, "20000/20000 (100%)\n"), 1);
  EXPECT_EQ(out.find('\r'), std::string::npos);
  EXPECT_EQ(out.find('\x1b'), std::string::npos);
  EXPECT_EQ(session.ui.meter().draws(), 1);
}

}  // namespace
}  // namespace tpl
