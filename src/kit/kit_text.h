// Small text rules of the kit's names and lines.
#pragma once

#include <string>

#include "machine/ascii_case.h"

namespace tpl {

// A line as a CString holds it after ReadString: it ends at the first NUL.
inline std::string LineText(std::string line) {
  const size_t nul = line.find('\0');
  if (nul != std::string::npos) line.resize(nul);
  return line;
}

}  // namespace tpl
