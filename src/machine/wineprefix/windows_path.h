// A Windows path taken apart the way Windows normalises it: '/' is a
// separator too, doubled separators collapse, "." and ".." are resolved,
// and trailing dots and spaces of the last part are dropped.
#pragma once

#include <string>
#include <vector>

#include "machine/ascii_case.h"
#include "machine/errors.h"

namespace tpl {

struct WindowsPath {
  enum class Base {
    kDrive,          // "C:\a": below a drive's root
    kCurrentFolder,  // "a\b": below the current folder
  };
  Base base = Base::kCurrentFolder;
  char drive = 0;       // lower-case drive letter for kDrive
  int upLevels = 0;     // ".." that climb above the current folder
  std::vector<std::string> parts;
  bool trailingSeparator = false;  // written with a final '\'
};

// 0, or 123 for a name with one of * ? < > | " : or a control character
// (wildcards are allowed in the last part when `wildcardsInLast`), or 3 for
// an empty or network path.
ErrorCode ParseWindowsPath(const std::string& text, bool wildcardsInLast, WindowsPath* path);

bool HasWildcards(const std::string& name);

}  // namespace tpl
