#include "host/host_text.h"

#include "machine/ascii_case.h"
#include "machine/file_find.h"

namespace tpl {

bool StartsWithIgnoringCase(const std::string& text, const std::string& start) {
  if (text.size() < start.size()) return false;
  // From the end: paths that differ mostly differ in their last parts.
  for (size_t i = start.size(); i-- > 0;) {
    if (AsciiLower(text[i]) != AsciiLower(start[i])) return false;
  }
  return true;
}

bool SameTextIgnoringCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && StartsWithIgnoringCase(a, b);
}

bool PathExists(Machine& machine, const std::string& path) {
  CFileFind finder(machine);
  return finder.FindFile(path);
}

std::string ParentOf(const std::string& root) {
  const size_t slash = root.rfind('\\');
  return slash == std::string::npos ? std::string() : root.substr(0, slash + 1);
}

}  // namespace tpl
