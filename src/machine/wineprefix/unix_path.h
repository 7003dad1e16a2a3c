// Unix paths put together from a folder and a name.
#pragma once

#include <string>

namespace tpl {

// `dir`/`name` into *path, with one '/' between them (none added after a
// root "/"). *path keeps its room: a path rebuilt for every file costs no
// allocation once it is large enough.
inline void JoinUnixPathInto(const std::string& dir, const std::string& name, std::string* path) {
  path->reserve(dir.size() + 1 + name.size());
  path->assign(dir);
  if (dir.empty() || dir.back() != '/') path->push_back('/');
  path->append(name);
}

inline std::string JoinUnixPath(const std::string& dir, const std::string& name) {
  std::string path;
  JoinUnixPathInto(dir, name, &path);
  return path;
}

}  // namespace tpl
