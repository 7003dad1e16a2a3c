// Windows paths to Unix paths in a Wine prefix: "C:\a\b" is
// <prefix>/dosdevices/c:/a/b (links followed by the system), relative paths
// are below the current folder, and each part is matched against the
// folder's entries ignoring ASCII case when the exact spelling is missing.
#pragma once

#include <array>
#include <map>
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

  // Empty again, keeping the strings' room: a copy resolves two paths for
  // every file.
  void Reset() {
    unixPath.clear();
    folder.clear();
    name.clear();
    ResetFacts();
  }
  // Only the facts: the paths are all written anew, and most often the
  // folder is the one of the path before.
  void ResetFacts() { exists = isRoot = inRoot = trailingSeparator = false; }
};

class PathResolver {
 public:
  PathResolver(std::string prefix, std::string currentFolder, DirectoryCache& cache);

  enum class Purpose {
    kLookUp,  // a last part missing from the listing is looked for on disk
    // The caller creates the last part exclusively (O_EXCL, mkdir), which
    // notices an entry of exactly that name by itself: a missing last part
    // costs only the check that its folder is unchanged.
    kCreate,
    // A search: the last part may hold wildcards, and the caller lists the
    // folder afresh, which tells whether it exists.
    kSearch,
    // The caller opens the last part in the spelling given at once, which
    // finds that exact name when it exists (as the listing would); only when
    // the open finds nothing does it look the path up (kLookUp). The last
    // part is not looked for: `exists` stays false.
    kOpen,
  };

  // 0: *resolved is filled (the last part may be missing: see `exists`).
  // 3: a drive or a folder on the way is missing. 123: a bad name.
  // Other codes: a folder on the way cannot be listed.
  ErrorCode Resolve(const std::string& windowsPath, Purpose purpose, ResolvedPath* resolved);

  DirectoryCache& cache() { return cache_; }
  // The Unix path of the current folder, as given (links not followed).
  const std::string& currentFolder() const { return currentFolder_; }

 private:
  ErrorCode ResolveParsed(const WindowsPath& path, Purpose purpose, ResolvedPath* resolved);
  // The last part `part` in the Unix folder `folder`.
  ErrorCode ResolveLastPart(const std::string& folder, const std::string& part, Purpose purpose,
                            ResolvedPath* resolved);
  // Resolves `text` from the remembered folder of its first parts when there
  // is one; false when the path must take the full way.
  bool ResolveInKnownFolder(const std::string& text, Purpose purpose, ResolvedPath* resolved,
                            ErrorCode* error);
  void RememberFolder(const std::string& text, const ResolvedPath& resolved);
  // The folders a step or two above that folder, as far as `text` says
  // plainly which they are.
  void RememberFoldersAbove(const std::string& text, const WindowsPath& path,
                            const ResolvedPath& resolved);
  // The real folder of a drive's root: the dosdevices link is followed once
  // and remembered (every path on the drive would follow it again). Empty
  // when the drive has no usable link. `again`: look at the link anew.
  std::string DriveFolder(char drive, bool again);
  std::string CurrentFolderBase(int upLevels) const;

  std::string prefix_;
  std::string currentFolder_;
  DirectoryCache& cache_;
  std::map<char, std::string> driveFolders_;

  // The folders of the paths resolved last, by the text before their last
  // separator: a copy resolves the files of one source and one destination
  // folder in turn, and walking their whole path again for each file is most
  // of its work. Good while no listing and no drive link changed.
  struct KnownFolder {
    std::string text;  // the path up to and with its last separator; "" when unused
    std::string unixPath;
    bool atRoot = false;  // the folder is a drive's root
    // When it was last found or remembered: the one unused longest makes
    // room (a parent serves the files of many folders in turn).
    unsigned long long used = 0;
  };
  // The one whose text is text[0, size), or nullptr.
  const KnownFolder* Known(const std::string& text, size_t size);
  // The slot to remember the folder of text[0, size) in, its text set: the
  // one it has, else the one unused longest (all are emptied first when the
  // cache moved on).
  KnownFolder& KnownFolderFor(const std::string& text, size_t size);
  std::array<KnownFolder, 8> knownFolders_;
  unsigned long long knownUses_ = 0;
  unsigned long long knownGeneration_ = 0;  // the cache's generation they hold for
  // ResolveInKnownFolder's names and folder, kept with their room from path
  // to path.
  std::string lastPart_;
  std::string folderName_;
  std::string folderPath_;
  std::string partPath_;
};

}  // namespace tpl
