// The native build's interactive front end: the terminal on the standard
// streams, sized and styled from the terminal and the environment; and the
// progress bar of an interactive uninstall.
#include <sys/ioctl.h>
#include <unistd.h>

#include <cstdlib>
#include <iostream>
#include <string>

#include "app/platform.h"
#include "app/uninstall_platform.h"
#include "machine/ascii_case.h"
#include "ui/console/console_front_end.h"
#include "ui/console/progress_meter.h"

namespace tpl {
namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

// The locale's character set, as the C library would pick it (LC_ALL, then
// LC_CTYPE, then LANG), without changing the program's own locale.
bool LocaleIsUtf8() {
  std::string locale = Environment("LC_ALL");
  if (locale.empty()) locale = Environment("LC_CTYPE");
  if (locale.empty()) locale = Environment("LANG");
  locale = AsciiLower(locale);
  return locale.find("utf-8") != std::string::npos || locale.find("utf8") != std::string::npos;
}

int DecimalOr(const std::string& text, int fallback) {
  if (text.empty() || text.size() > 4) return fallback;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return fallback;
    value = value * 10 + (c - '0');
  }
  return value > 0 ? value : fallback;
}

void MeasureTerminal(int* columns, int* rows) {
  winsize size{};
  if (ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) {
    *columns = size.ws_col;
    *rows = size.ws_row;
  }
}

bool StdoutIsTerminal() { return isatty(STDOUT_FILENO) == 1; }

// The terminal's size when standard output is one; else COLUMNS (or 80)
// columns and rows unknown (0).
void TerminalSize(int* columns, int* rows) {
  *columns = DecimalOr(Environment("COLUMNS"), 80);
  *rows = 0;
  if (StdoutIsTerminal()) MeasureTerminal(columns, rows);
}

int TerminalColumns() {
  int columns = 0, rows = 0;
  TerminalSize(&columns, &rows);
  return columns;
}

class TerminalUninstallProgress : public UninstallProgress {
 public:
  explicit TerminalUninstallProgress(const std::string& caption)
      : meter_(ProgramOut(), StdoutIsTerminal(), TerminalColumns(), nullptr) {
    meter_.Caption(caption);
  }
  ~TerminalUninstallProgress() override { meter_.Finish(); }
  void Update(int done, int total) override { meter_.Update(done, 0, total); }

 private:
  ProgressMeter meter_;
};

}  // namespace

std::unique_ptr<UninstallProgress> ShowUninstallProgress(const std::string& caption) {
  return std::make_unique<TerminalUninstallProgress>(caption);
}

std::unique_ptr<FrontEnd> MakeInteractiveFrontEnd(Machine& machine) {
  ConsoleOptions options;
  options.terminal = StdoutIsTerminal();
  options.inputEchoed = isatty(STDIN_FILENO) == 1;
  TerminalSize(&options.columns, &options.rows);
  options.utf8 = LocaleIsUtf8();
  const std::string term = Environment("TERM");
  options.colour = options.terminal && Environment("NO_COLOR").empty() && term != "dumb";
  options.pager = Environment("PAGER");
  if (options.terminal) options.measure = MeasureTerminal;
  return std::make_unique<ConsoleFrontEnd>(machine, std::cin, std::cout, std::move(options));
}

}  // namespace tpl
