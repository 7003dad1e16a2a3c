// The progress bar while a handler runs (files being copied): no screen is
// redrawn then, so the bar and its caption are written as they change. On a
// terminal the bar is redrawn in place, at most a few times a second (and at
// its end), so that a long copy is not slowed by the terminal; elsewhere the
// caption is a line of its own and the count one line when the bar is done.
#pragma once

#include <chrono>
#include <functional>
#include <ostream>
#include <string>

namespace tpl {

class ProgressMeter {
 public:
  using Clock = std::function<std::chrono::steady_clock::time_point()>;

  ProgressMeter(std::ostream& out, bool terminal, int columns, Clock clock);

  void SetColumns(int columns) { columns_ = columns; }
  // A caption painted: it gets a line of its own (once per text).
  void Caption(const std::string& text);
  // The bar moved to `position` of lower..upper.
  void Update(int position, int lower, int upper);
  // The live display ends (a screen or message follows): the bar's last
  // state is completed on a line of its own.
  void Finish();

  int draws() const { return draws_; }  // bars written so far

 private:
  std::string Bar() const;
  void Draw();

  std::ostream& out_;
  bool terminal_;
  int columns_;
  Clock clock_;
  std::string caption_;
  int position_ = 0, lower_ = 0, upper_ = 0;
  bool started_ = false;    // the bar has moved past its start since the last Finish
  bool lineOpen_ = false;   // a bar is on the terminal's last line, not ended
  std::string drawn_;       // the bar last drawn
  std::chrono::steady_clock::time_point lastDraw_;
  int draws_ = 0;
};

}  // namespace tpl
