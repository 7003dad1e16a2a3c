// FindFirstFileA/FindNextFileA over a Unix folder, in Wine's order.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "machine/wineprefix/errno_codes.h"
#include "machine/wineprefix/host_files.h"
#include "machine/wineprefix/wildcard.h"
#include "machine/wineprefix/windows_path.h"

namespace tpl {
namespace {

char UpperCase(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Wine's order: compared upper-cased (so "_" sorts after the letters), a
// prefix first, ties broken by the exact bytes.
bool SearchOrder(const std::string& a, const std::string& b) {
  const size_t common = std::min(a.size(), b.size());
  for (size_t i = 0; i < common; ++i) {
    const char x = UpperCase(a[i]), y = UpperCase(b[i]);
    if (x != y) return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
  }
  if (a.size() != b.size()) return a.size() < b.size();
  return a < b;
}

// false when the entry is gone.
bool Describe(int folder, const std::string& name, FindData* found) {
  FindData& data = *found;
  data = FindData();
  data.name = name;
  struct stat info;
  if (fstatat(folder, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) return false;
  if (S_ISLNK(info.st_mode)) {
    data.reparsePoint = true;
    struct stat target;
    if (fstatat(folder, name.c_str(), &target, 0) != 0) return true;  // dangling
    info = target;
  }
  data.directory = S_ISDIR(info.st_mode);
  data.special = !data.directory && !S_ISREG(info.st_mode);
  data.readOnly = (info.st_mode & S_IWUSR) == 0;
  return true;
}

// The entry as its listing told it, when that is all a kind-only search
// needs; false when only a look at the entry itself can tell (a link, or a
// file system that gives no kinds).
bool DescribeByKind(const std::string& name, unsigned char kind, FindData* found) {
  if (kind == DT_LNK || kind == DT_UNKNOWN) return false;
  *found = FindData();
  found->name = name;
  found->directory = kind == DT_DIR;
  found->special = kind != DT_DIR && kind != DT_REG;
  return true;
}

}  // namespace

ErrorCode HostFiles::FindFiles(const std::string& pattern, std::vector<FindData>* entries,
                               bool kindsOnly) {
  entries->clear();
  ResolvedPath resolved;
  ErrorCode error = resolver_.Resolve(pattern, PathResolver::Purpose::kSearch, &resolved);
  if (error != kErrorSuccess) return error;
  // "folder\" names no entry, and neither does a drive's root.
  if (resolved.trailingSeparator || resolved.isRoot) return kErrorFileNotFound;

  const int folder = open(resolved.folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (!HasWildcards(resolved.name)) {
    if (!resolved.exists) {
      if (folder >= 0) close(folder);
      return kErrorFileNotFound;
    }
    if (folder < 0) return kErrorPathNotFound;
    FindData entry;
    const bool found = Describe(folder, resolved.name, &entry);
    close(folder);
    if (!found) return kErrorFileNotFound;  // removed since it was listed
    entries->push_back(entry);
    return kErrorSuccess;
  }

  if (folder < 0) {
    error = ErrorFromErrno(errno, kErrorPathNotFound);
    resolver_.cache().Forget(resolved.folder);
    return error;
  }
  std::vector<DirectoryCache::ListedName> names;
  error = resolver_.cache().ListFresh(resolved.folder, folder, &names);
  if (error != kErrorSuccess) {
    close(folder);
    return error;
  }
  std::sort(names.begin(), names.end(),
            [](const auto& a, const auto& b) { return SearchOrder(a.name, b.name); });
  if (!resolved.inRoot) {
    names.insert(names.begin(), {{".", DT_DIR}, {"..", DT_DIR}});
  }
  FindData entry;
  for (const DirectoryCache::ListedName& listed : names) {
    if (!MatchesWildcard(resolved.name, listed.name)) continue;
    // An entry removed since the listing is left out, as a later search would.
    if ((kindsOnly && DescribeByKind(listed.name, listed.kind, &entry)) ||
        Describe(folder, listed.name, &entry)) {
      entries->push_back(entry);
    }
  }
  close(folder);
  return entries->empty() ? kErrorFileNotFound : kErrorSuccess;
}

}  // namespace tpl
