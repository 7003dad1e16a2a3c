#include "ui/console/progress_meter.h"

#include <algorithm>

namespace tpl {
namespace {

// A redraw at most this often keeps the terminal's share of a copy small.
constexpr std::chrono::milliseconds kRedrawInterval(100);
constexpr int kMinBarWidth = 10;

}  // namespace

ProgressMeter::ProgressMeter(std::ostream& out, bool terminal, int columns, Clock clock)
    : out_(out), terminal_(terminal), columns_(columns), clock_(std::move(clock)) {
  if (!clock_) clock_ = [] { return std::chrono::steady_clock::now(); };
}

void ProgressMeter::Caption(const std::string& text) {
  if (text == caption_ && started_) return;
  Finish();
  caption_ = text;
  if (!text.empty()) out_ << text << "\n" << std::flush;
}

void ProgressMeter::Update(int position, int lower, int upper) {
  // A new range or a position set back starts a new bar (the next version's
  // copy): the old one keeps its last state on a line of its own.
  if (started_ && (lower != lower_ || upper != upper_ || position < position_)) Finish();
  position_ = position;
  lower_ = lower;
  upper_ = upper;
  // A bar shows once something is done, so that setting it up before its
  // caption leaves no empty bar behind.
  if (position > lower) started_ = true;
  if (!started_ || !terminal_) return;
  const auto now = clock_();
  const bool atEnd = position >= upper;
  if (lineOpen_ && !atEnd && now - lastDraw_ < kRedrawInterval) return;
  lastDraw_ = now;
  Draw();
}

void ProgressMeter::Draw() {
  const std::string bar = Bar();
  if (lineOpen_ && bar == drawn_) return;
  drawn_ = bar;
  lineOpen_ = true;
  ++draws_;
  out_ << "\r" << bar << "\x1b[K" << std::flush;
}

void ProgressMeter::Finish() {
  if (started_) {
    if (terminal_) {
      Draw();  // the last state, which the throttle may have skipped
      out_ << "\n" << std::flush;
    } else {
      ++draws_;
      out_ << Bar() << "\n" << std::flush;
    }
  }
  started_ = false;
  lineOpen_ = false;
  drawn_.clear();
}

std::string ProgressMeter::Bar() const {
  const int span = upper_ - lower_;
  const int percent = span <= 0 ? 0 : std::clamp((position_ - lower_) * 100 / span, 0, 100);
  const std::string total = std::to_string(span);
  std::string done = std::to_string(position_ - lower_);
  if (!terminal_) return "  " + done + "/" + total + " (" + std::to_string(percent) + "%)";
  // The count as wide as the total all along, so the bar keeps its length.
  if (done.size() < total.size()) done.insert(0, total.size() - done.size(), ' ');
  const std::string count = done + "/" + total;
  const int barWidth = std::max(kMinBarWidth, columns_ - 12 - static_cast<int>(count.size()));
  const int filled = barWidth * percent / 100;
  return "  [" + std::string(filled, '#') + std::string(barWidth - filled, '-') + "] " +
         std::to_string(percent) + "%  " + count;
}

}  // namespace tpl
