#include "host/host_text.h"

#include "machine/ascii_case.h"
#include "machine/file_find.h"

namespace tpl {

bool SameTextIgnoringCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
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
