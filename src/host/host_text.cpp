#include "host/host_text.h"

#include "machine/file_find.h"

namespace tpl {

bool PathExists(Machine& machine, const std::string& path) {
  CFileFind finder(machine);
  return finder.FindFile(path);
}

std::string ParentOf(const std::string& root) {
  const size_t slash = root.rfind('\\');
  return slash == std::string::npos ? std::string() : root.substr(0, slash + 1);
}

}  // namespace tpl
