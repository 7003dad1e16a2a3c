// A theme's description file (".inf"): "title=" and "version=" lines.
#pragma once

#include <string>

#include "machine/machine.h"

namespace tpl {

struct ThemeDescription {
  std::string title;     // empty when the file gives none
  double version = 0.0;  // 0 when the file gives none
};

// Reads the description file at `path` into *description, which the caller
// has reset. A file that does not open leaves the defaults and counts as
// read; false only when reading failed part-way (the theme is then dropped).
bool ReadThemeDescription(Machine& machine, const std::string& path,
                          ThemeDescription* description);

// Applies one line of a description file: a line whose lower-cased copy holds
// "title=" sets the title to the line without its first 6 characters, else
// one holding "version=" sets the version from what follows its first 8.
void ApplyDescriptionLine(const std::string& line, ThemeDescription* description);

}  // namespace tpl
