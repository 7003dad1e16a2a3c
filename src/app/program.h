// The program around the wizard: from the parsed command line to the exit
// status. ProgramMain (command_line.h) builds the machine and the streams of
// the build it runs on and calls RunWizard; tests call RunWizard directly.
#pragma once

#include <ostream>

#include "app/command_line.h"
#include "machine/machine.h"
#include "ui/front_end.h"

namespace tpl {

// Runs the wizard once on `machine`: silent (answers from `options`, message
// boxes to `err`, the end screen's text to `out`) or, when `options` is not
// silent, through `interactive`. Returns the exit status.
int RunWizard(Machine& machine, const CommandLine& options, FrontEnd* interactive,
              std::ostream& out, std::ostream& err);

// --uninstall or --list-installed on `machine`; message boxes go to
// `interactive`, or to `err` when it is nullptr.
int RunUninstall(Machine& machine, const CommandLine& options, FrontEnd* interactive,
                 std::ostream& out, std::ostream& err);

// The exit status of a run that ended on end screen `endScreenId`.
int ExitStatusForEndScreen(int endScreenId);

}  // namespace tpl
