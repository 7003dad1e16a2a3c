#include "app/installation_lock.h"

namespace tpl {

bool HoldInstallationLock(const CommandLine&, std::string*) { return true; }

}  // namespace tpl
