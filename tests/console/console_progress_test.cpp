// The progress bar while files are copied: redrawn in place on a terminal,
// throttled; a caption and a final count elsewhere.
#include <gtest/gtest.h>

#include <set>

#include "console_test_support.h"
#include "ui/dialog.h"

namespace tpl {
namespace {

using test::ConsoleSession;
using test::Count;

struct Copy {
  std::string caption;
  int files;
};

// Template 102 whose "Next >" copies files the way the install driver shows
// it, for one version after another: range and position set, caption
// painted at once, one step per file.
class CopyingDialog : public CDialog {
 public:
  CopyingDialog(FrontEnd& ui, std::vector<Copy> copies) : CDialog(kIddWizard, ui), copies_(copies) {
    OnClicked(kIdcNext, [this] { CopyAll(); });
  }
  bool OnInitDialog() override {
    CDialog::OnInitDialog();
    PeerOf(kIdcProgress)->Show(false);
    PeerOf(kIdcProgressText)->Show(false);
    PeerOf(kIdcLanguage)->Show(false);
    return true;
  }

 private:
  void CopyAll() {
    ControlPeer* bar = PeerOf(kIdcProgress);
    ControlPeer* caption = PeerOf(kIdcProgressText);
    for (const Copy& copy : copies_) {
      bar->SetRange(0, static_cast<uint16_t>(copy.files));
      bar->SetStep(1);
      bar->SetPos(0);
      bar->Show(true);
      caption->SetText(copy.caption);
      caption->Show(true);
      caption->Repaint();
      for (int i = 0; i < copy.files; ++i) bar->StepIt();
    }
    EndDialog(kIdOk);
  }
  std::vector<Copy> copies_;
};

const char kFP2002[] = "Installing FrontPage 2002 files";
const char kFP2003[] = "Installing FrontPage 2003 files";

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
  CopyingDialog dialog(session.ui, {{kFP2002, 20000}});
  EXPECT_EQ(dialog.DoModal(), kIdOk);

  const std::string out = session.Output();
  const size_t caption = out.find(std::string(kFP2002) + "\n");
  ASSERT_NE(caption, std::string::npos);
  // 20 seconds of copying: about 200 redraws, not 20,000.
  EXPECT_GE(session.ui.meter().draws(), 150);
  EXPECT_LE(session.ui.meter().draws(), 210);
  EXPECT_EQ(Count(out, "\r"), session.ui.meter().draws());
  // The last state is drawn and its line ended.
  EXPECT_NE(out.find("] 100%  20000/20000\x1b[K\n"), std::string::npos);
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
}  // namespace tpl
