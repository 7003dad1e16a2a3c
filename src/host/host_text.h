// Text rules the host room shares: a file's existence and a root's parent.
// Names are compared as machine/ascii_case.h compares them.
#pragma once

#include <string>

#include "machine/ascii_case.h"
#include "machine/machine.h"

namespace tpl {

// CFileFind::FindFile on a path without a pattern: does the file or folder exist?
bool PathExists(Machine& machine, const std::string& path);

// The root up to and including its last backslash; "" when it has none.
std::string ParentOf(const std::string& root);

}  // namespace tpl
