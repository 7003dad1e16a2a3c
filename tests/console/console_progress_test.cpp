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

TEST(ConsoleProgress, AStillClockDrawsTheFirstAndTheLastStateOnly) {
  ConsoleOptions options;
  options.terminal = true;
  options.clock = [] { return std::chrono::steady_clock::time_point(); };
  ConsoleSession session("n\n", options);
  CopyingDialog dialog(session.ui, {{kFP2002, 500}});
  dialog.DoModal();
  EXPECT_EQ(session.ui.meter().draws(), 2);
  EXPECT_NE(session.Output().find("\r  [" + std::string(61, '#') + "] 100%  500/500"),
            std::string::npos);
}

TEST(ConsoleProgress, OffATerminalTheCaptionOnceAndTheFinalCount) {
  ConsoleSession session("n\n");
  CopyingDialog dialog(session.ui, {{kFP2002, 20000}});
  EXPECT_EQ(dialog.DoModal(), kIdOk);
  const std::string out = session.Output();
  EXPECT_EQ(Count(out, std::string(kFP2002) + "\n"), 1);
  EXPECT_EQ(Count(out, "20000/20000 (100%)\n"), 1);
  EXPECT_EQ(out.find('\r'), std::string::npos);
  EXPECT_EQ(out.find('\x1b'), std::string::npos);
  EXPECT_EQ(session.ui.meter().draws(), 1);
}

TEST(ConsoleProgress, EachVersionsBarEndsOnItsOwnLineWithItsLastState) {
  ConsoleOptions options;
  options.terminal = true;
  options.clock = [] { return std::chrono::steady_clock::time_point(); };
  ConsoleSession terminal("n\n", options);
  CopyingDialog shown(terminal.ui, {{kFP2002, 29}, {kFP2003, 10}});
  shown.DoModal();
  const std::string out = terminal.Output();
  const std::string first = std::string(kFP2002) + "\n\r  [";
  ASSERT_NE(out.find(first), std::string::npos) << out;
  const size_t firstEnd = out.find("100%  29/29\x1b[K\n" + std::string(kFP2003) + "\n\r  [");
  EXPECT_NE(firstEnd, std::string::npos) << out;
  EXPECT_NE(out.find("100%  10/10\x1b[K\n", firstEnd), std::string::npos) << out;
  // Setting a bar up draws nothing: no empty bar before a caption.
  EXPECT_EQ(out.find("] 0%"), std::string::npos) << out;

  ConsoleSession piped("n\n");
  CopyingDialog plain(piped.ui, {{kFP2002, 29}, {kFP2003, 10}});
  plain.DoModal();
  EXPECT_NE(piped.Output().find(std::string(kFP2002) + "\n  29/29 (100%)\n" + kFP2003 +
                                "\n  10/10 (100%)\n"),
            std::string::npos)
      << piped.Output();
}

}  // namespace
}  // namespace tpl
