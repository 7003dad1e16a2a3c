// The terminal front end of the native build: each dialog is a screen of
// text with a key for every control the user can work now; the user types a
// key (or a list number, or the button's name) and Enter. Works on a
// terminal and on pipes alike; end of input is Esc (the wizard's Cancel),
// and once a dialog stays open after it, its default button ("Finish"), so
// a run whose input closes always ends.
#pragma once

#include <functional>
#include <istream>
#include <map>
#include <memory>
#include <ostream>
#include <string>

#include "machine/machine.h"
#include "ui/console/dialog_screen.h"
#include "ui/console/progress_meter.h"
#include "ui/dialog.h"
#include "ui/front_end.h"
#include "ui/memory_dialog.h"

namespace tpl {

struct ConsoleOptions {
  bool terminal = false;  // the output is a terminal: screens are cleared, the bar redrawn in place
  int columns = 80;
  int rows = 0;           // 0: unknown (long texts are not paged)
  bool inputEchoed = false;  // the input is a terminal, which echoes what is typed
  bool utf8 = true;       // the terminal takes UTF-8
  bool colour = false;
  std::string pager;      // $PAGER, for the readme on a terminal ("" : printed)
  // The terminal's size now (for a resized window); unset: the sizes above.
  std::function<void(int* columns, int* rows)> measure;
  ProgressMeter::Clock clock;  // unset: the steady clock
};

class ConsoleFrontEnd : public FrontEnd {
 public:
  // Text files named by OpenTextFile are read through `machine` (relative
  // paths are the kit's).
  ConsoleFrontEnd(Machine& machine, std::istream& in, std::ostream& out, ConsoleOptions options);

  int RunModal(CDialog& dialog) override;
  int ShowMessageBox(const std::string& text, unsigned type) override;
  void OpenTextFile(const std::string& file) override;

  const ProgressMeter& meter() const { return meter_; }

  // Called by the peers of a running dialog when a control changes while a
  // handler runs.
  void ProgressMoved(int position, int lower, int upper) {
    shown_.clear();
    meter_.Update(position, lower, upper);
  }
  void CaptionPainted(const std::string& text);

 private:
  ScreenLayout Layout();
  void Show(const std::string& screen);
  bool ReadAnswer(std::string* line);
  // Writes `text` to the pager; false when it could not be run.
  bool Page(const std::string& text);

  Machine& machine_;
  std::istream& in_;
  std::ostream& out_;
  ConsoleOptions options_;
  ProgressMeter meter_;
  std::string shown_;  // the screen last written, unless something came after it
  std::map<int, std::unique_ptr<MemoryDialog>> lastRuns_;  // by template
};

}  // namespace tpl
