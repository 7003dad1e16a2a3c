// A stop asked for from outside the program (a signal): it is recorded by a
// signal handler and acted on at the next safe point, where a long operation
// gives up and the program's action for it runs. Request and the two
// queries are async-signal-safe.
#pragma once

#include <functional>
#include <string>

namespace tpl {

// Records the request; the first signal number is kept.
void RequestInterruption(int signalNumber);
// 0, or the number of the signal that asked for the stop.
int RequestedInterruption();
// A new run starts without a request.
void ClearInterruption();
// "SIGINT", "SIGTERM", "SIGHUP", else "signal <n>".
std::string InterruptionName(int signalNumber);

// The exit status that a request ends the program with at once, without
// any safe point: set once the run's outcome is final. -1 until then.
void SetImmediateExitStatus(int status);
int ImmediateExitStatus();

// What the program does with a request (it normally ends the program).
void SetInterruptionAction(std::function<void()> action);
// At a safe point: runs the action once when a stop was requested.
void CheckInterruption();

}  // namespace tpl
