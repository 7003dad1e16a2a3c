// The native program's signals. SIGINT, SIGTERM and SIGHUP: the first one
// asks the run to stop at its next safe point (where it ends like Cancel,
// exit 2); a second one, or one after the end screen is up, ends the program
// at once. A start error needs nothing beyond standard error here.
#include <signal.h>
#include <unistd.h>

#include <string>

#include "app/command_line.h"
#include "app/platform.h"
#include "machine/interruption.h"
#include "machine/wineprefix/copy_interruption.h"

namespace tpl {
namespace {

void OnInterruptSignal(int signalNumber) {
  const int finished = ImmediateExitStatus();
  if (finished >= 0) _exit(finished);
  if (RequestedInterruption() != 0) {
    RemoveHeldTemporary();
    _exit(kExitCancelled);
  }
  RequestInterruption(signalNumber);
}

}  // namespace

void CatchInterruptions() {
  struct sigaction action {};
  action.sa_handler = OnInterruptSignal;
  sigemptyset(&action.sa_mask);
  // No SA_RESTART: a read waiting for the user returns, and the wait ends.
  action.sa_flags = 0;
  for (int signalNumber : {SIGINT, SIGTERM, SIGHUP}) sigaction(signalNumber, &action, nullptr);
}

void ShowStartError(const std::string&) {}

}  // namespace tpl
