// Windows paths to Unix paths in a Wine prefix: "C:\a\b" is
// <prefix>/dosdevices/c:/a/b (links followed by the system), relative paths
// are below the current folder, and each part is matched against the
// folder's entries ignoring ASCII case when the exact spelling is missing.
#pragma once

#include <string>

#include "machine/errors.h"
#include "machine/wineprefix/directory_cache.h"
#include "machine/wineprefix/windows_path.h"

namespace tpl {

struct ResolvedPath {
  std::string unixPath;  // the whole path; a missing last part in the caller's spelling
  std::string folder;    // Unix path of the folder holding the last part
  std::string name;      // the last part: its on-disk name, or as the caller wrote it
  bool exists = false;   // the last part was found
  bool isRoot = false;   // the path names a drive's root (folder and name empty)
  bool inRoot = false;   // the last part sits directly in a drive's root
  bool trailingSeparator = false;
};

class PathResolver {
 public:
  PathResolver(std::string prefix, std::string currentFolder, DirectoryCache& cache);

  // 0: *resolved is filled (the last part may be missing: see `exists`).
  // 3: a drive or a folder on the way is missing. 123: a bad name.
  // Other codes: a folder on the way cannot be listed.
  ErrorCode Resolve(const std::string& windowsPath, bool wildcardsInLast,
                    ResolvedPath* resolved);

  DirectoryCache& cache() { return cache_; }

 private:
  std::string DriveFolder(char drive) const;
  std::string CurrentFolderBase(int upLevels) const;

  std::string prefix_;
  std::string currentFolder_;
  DirectoryCache& cache_;
};

}  // namespace tpl
