// One installation at a time in a prefix: an exclusive lock on the file
// <prefix>/.tplsetup.lock beside system.reg, held while the lock object
// lives. The file is never removed: removing it would let a second run lock
// a new file while the first still holds the old one.
#pragma once

#include <memory>
#include <string>

#include "machine/machine.h"

namespace tpl {

// The Machine's LockInstallation for the prefix at `prefix`.
ErrorCode LockPrefix(const std::string& prefix, std::unique_ptr<MachineLock>* lock);

}  // namespace tpl
