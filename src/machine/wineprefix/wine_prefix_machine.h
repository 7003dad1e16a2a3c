// The machine of the native build: a Wine prefix (a Windows machine image),
// read the way a 32-bit Windows program running in it would see it.
#pragma once

#include <memory>
#include <string>

#include "machine/machine.h"

namespace tpl {

struct WinePrefixOptions {
  std::string prefix;         // Unix path of the prefix (holds system.reg)
  std::string currentFolder;  // Unix path that relative Windows paths resolve against
  std::string userName;       // GetUserNameA; empty: the Unix user ($USER)
};

// Builds the machine; nothing is read before it is needed.
std::unique_ptr<Machine> MakeWinePrefixMachine(const WinePrefixOptions& options);

}  // namespace tpl
