#include "install/progress_ticker.h"

namespace tpl {

void ProgressTicker::Start(CProgressCtrl& bar, int total) {
  bar_ = &bar;
  total_ = total;
  done_ = 0;
  const int upper = total > kMaxRange ? kMaxRange : total;
  bar.SetRange(0, static_cast<uint16_t>(upper));
  bar.SetStep(1);
  bar.SetPos(0);
}

void ProgressTicker::Tick() {
  if (bar_ == nullptr) return;
  ++done_;
  if (total_ <= kMaxRange) {
    bar_->StepIt();
    return;
  }
  // More files than the bar's range: step on when the scaled position moves.
  const int64_t before = (done_ - 1) * kMaxRange / total_;
  const int64_t after = done_ * kMaxRange / total_;
  if (after > before) bar_->StepIt();
}

}  // namespace tpl
