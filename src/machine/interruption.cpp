#include "machine/interruption.h"

#include <csignal>
#include <string>

namespace tpl {
namespace {

volatile std::sig_atomic_t g_requested = 0;
volatile std::sig_atomic_t g_immediateExitStatus = -1;
std::function<void()> g_action;
bool g_acting = false;

}  // namespace

void RequestInterruption(int signalNumber) {
  if (g_requested == 0) g_requested = signalNumber;
}

int RequestedInterruption() { return g_requested; }

void ClearInterruption() { g_requested = 0; }

std::string InterruptionName(int signalNumber) {
  switch (signalNumber) {
    case SIGINT: return "SIGINT";
    case SIGTERM: return "SIGTERM";
#ifdef SIGHUP
    case SIGHUP: return "SIGHUP";
#endif
    default: return "signal " + std::to_string(signalNumber);
  }
}

void SetImmediateExitStatus(int status) { g_immediateExitStatus = status; }

int ImmediateExitStatus() { return g_immediateExitStatus; }

void SetInterruptionAction(std::function<void()> action) { g_action = std::move(action); }

void CheckInterruption() {
  // The action itself passes safe points (it logs and shows the end screen).
  if (g_requested == 0 || g_acting || !g_action) return;
  g_acting = true;
  g_action();
  g_acting = false;
}

}  // namespace tpl
