#include "machine/wineprefix/copy_interruption.h"

#include <unistd.h>

#include <climits>
#include <csignal>
#include <cstring>

namespace tpl {
namespace {

char g_temporary[PATH_MAX];
volatile std::sig_atomic_t g_holding = 0;

int g_hookSignal = 0;
long long g_hookBytesLeft = 0;

}  // namespace

void HoldTemporary(const std::string& folder, const std::string& name) {
  g_holding = 0;
  if (folder.size() + 1 + name.size() >= sizeof g_temporary) return;
  std::memcpy(g_temporary, folder.data(), folder.size());
  g_temporary[folder.size()] = '/';
  std::memcpy(g_temporary + folder.size() + 1, name.c_str(), name.size() + 1);
  g_holding = 1;
}

void ReleaseTemporary() { g_holding = 0; }

void RemoveHeldTemporary() {
  if (g_holding != 0) unlink(g_temporary);
}

void RaiseSignalAfterCopiedBytes(int signalNumber, long long bytes) {
  g_hookSignal = bytes > 0 ? signalNumber : 0;
  g_hookBytesLeft = bytes;
}

size_t CopyStepLimit(size_t wanted) {
  if (g_hookSignal == 0) return wanted;
  return static_cast<unsigned long long>(g_hookBytesLeft) < wanted
             ? static_cast<size_t>(g_hookBytesLeft)
             : wanted;
}

void NoteCopiedBytes(size_t copied) {
  if (g_hookSignal == 0) return;
  g_hookBytesLeft -= static_cast<long long>(copied);
  if (g_hookBytesLeft > 0) return;
  const int signalNumber = g_hookSignal;
  g_hookSignal = 0;
  raise(signalNumber);
}

}  // namespace tpl
