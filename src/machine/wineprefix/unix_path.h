// Unix paths put together from a folder and a name.
#pragma once

#include <cstring>
#include <string>

namespace tpl {

// `dir`/`name` into *path, with one '/' between them (none added after a
// root "/"). *path keeps its room: a path rebuilt for every file costs no
// allocation once it is large enough.
inline void JoinUnixPathInto(const std::string& dir, const std::string& name, std::string* path) {
  const bool slash = dir.empty() || dir.back() != '/';
  const size_t head = dir.size() + (slash ? 1 : 0);
  // Most often *path names an entry of that folder already: only its name changes.
  const bool sameFolder = path->size() > head && (!slash || (*path)[dir.size()] == '/') &&
                          std::memcmp(path->data(), dir.data(), dir.size()) == 0;
  if (sameFolder) {
    path->resize(head);
  } else {
    path->reserve(head + name.size());
    path->assign(dir);
    if (slash) path->push_back('/');
  }
  path->append(name);
}

inline std::string JoinUnixPath(const std::string& dir, const std::string& name) {
  std::string path;
  JoinUnixPathInto(dir, name, &path);
  return path;
}

}  // namespace tpl
