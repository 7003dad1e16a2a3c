// The lock that keeps two installations (or an installation and an
// uninstall) from working on one machine at once.
#pragma once

#include <string>

#include "app/command_line.h"

namespace tpl {

// Takes the machine's installation lock for the rest of the program's life.
// False with *error the line for standard error when another run holds it.
// NOTE: the lock itself comes with the installation's own locking; until it
// is wired here, this takes nothing and always succeeds.
bool HoldInstallationLock(const CommandLine& options, std::string* error);

}  // namespace tpl
