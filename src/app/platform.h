// What each build supplies to the program: its machine and its interactive
// front end. The native build's live in src/native and
// src/ui/console; the Windows build's in src/machine/win32 and src/ui/win32.
#pragma once

#include <iosfwd>
#include <memory>
#include <string>

#include "app/command_line.h"
#include "machine/machine.h"
#include "ui/front_end.h"

namespace tpl {

// The machine to install on. On failure returns nullptr, with *error a
// sentence for the user and *exitStatus the status to end with.
std::unique_ptr<Machine> MakeProgramMachine(const CommandLine& options, std::string* error,
                                            int* exitStatus);

// The front end of an interactive run (real dialogs / the terminal).
std::unique_ptr<FrontEnd> MakeInteractiveFrontEnd(Machine& machine);

// Lets SIGINT, SIGTERM and SIGHUP request an interruption of the run
// (machine/interruption.h) instead of killing it; a no-op where the build
// has no such signals.
void CatchInterruptions();

// Shows an interactive run's user why it cannot start, beyond the line on
// standard error: the Windows program in a message box; the terminal wizard
// needs nothing more.
void ShowStartError(const std::string& text);

// Where a silent run writes message boxes and its final text (the Windows
// program attaches to its parent's console first).
std::ostream& ProgramOut();
std::ostream& ProgramErr();

// Ends the program with `status` once its streams are flushed. The native
// program ends its process right here: what a run built up (the listing of
// every folder it touched) goes back to the system at once, where freeing it
// piece by piece took as long as copying a theme. The Windows program returns
// `status` to main.
int EndProgram(int status);

}  // namespace tpl
