// Unix paths put together from a folder and a name.
#pragma once

#include <string>

namespace tpl {

// `dir`/`name`, with one '/' between them (none added after a root "/").
inline std::string JoinUnixPath(const std::string& dir, const std::string& name) {
  std::string path;
  path.reserve(dir.size() + 1 + name.size());  // one allocation per path
  path.append(dir);
  if (dir.empty() || dir.back() != '/') path.push_back('/');
  path.append(name);
  return path;
}

}  // namespace tpl
