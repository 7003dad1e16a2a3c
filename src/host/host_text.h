// Text rules the host room shares with Windows' C runtime, independent of
// the user's locale: _stricmp over ASCII, and a file's existence.
#pragma once

#include <string>

#include "machine/machine.h"

namespace tpl {

// _stricmp(a, b) == 0 in the "C" locale: equal when ASCII letters are folded.
bool SameTextIgnoringCase(const std::string& a, const std::string& b);
// Whether `text` begins with `start`, ASCII letters folded as above.
bool StartsWithIgnoringCase(const std::string& text, const std::string& start);

// CFileFind::FindFile on a path without a pattern: does the file or folder exist?
bool PathExists(Machine& machine, const std::string& path);

// The root up to and including its last backslash; "" when it has none.
std::string ParentOf(const std::string& root);

}  // namespace tpl
