// The file operations of the wineprefix machine, on the Unix files a
// PathResolver finds for Windows paths. Contracts are the Machine's.
#pragma once

#include <sys/stat.h>

#include <cerrno>
#include <memory>
#include <string>
#include <vector>

#include "machine/machine.h"
#include "machine/wineprefix/host_copy_contents.h"
#include "machine/wineprefix/path_resolver.h"

namespace tpl {

class HostFiles {
 public:
  explicit HostFiles(PathResolver& resolver) : resolver_(resolver) {}

  // `kindsOnly`: Machine::FindFileKinds, each entry told by its listing
  // where it can be.
  ErrorCode FindFiles(const std::string& pattern, std::vector<FindData>* entries,
                      bool kindsOnly = false);
  ErrorCode CopyFileOver(const std::string& source, const std::string& destination);
  ErrorCode MakeDirectory(const std::string& path);
  ErrorCode FolderIdentity(const std::string& path, std::string* identity);
  ErrorCode CheckInsideCurrentFolder(const std::string& path);
  ErrorCode OpenTextFile(const std::string& path, std::unique_ptr<TextReader>* reader);
  ErrorCode CreateLogFile(const std::string& path, std::unique_ptr<LogWriter>* writer);
  // Undo (host_undo.cpp).
  ErrorCode QueryFile(const std::string& path, FileInfo* info);
  ErrorCode DigestFile(const std::string& path, FileContent* content);
  ErrorCode CopyNewFile(const std::string& source, const std::string& destination,
                        FileContent* copied);
  ErrorCode ReplaceKeepingBackup(const std::string& source, const std::string& destination,
                                 const std::string& backupPath);
  ErrorCode MoveFileOver(const std::string& from, const std::string& to);
  ErrorCode RemoveFile(const std::string& path);
  ErrorCode RemoveFolder(const std::string& path);
  ErrorCode OpenAppendFile(const std::string& path, std::unique_ptr<LogWriter>* writer);

 private:
  // Resolves a path that must name an existing entry (2 when it does not).
  ErrorCode ResolveExisting(const std::string& path, ResolvedPath* resolved);

  // Renames the complete copy `temporary` (in the folder `dir`) to the
  // final name of `to`; a refusal is returned, a failed call's errno set in
  // *failure.
  // What a copy does beyond CopyFileOver's.
  struct CopyExtras {
    bool onlyNew = false;                 // 80 when the destination exists
    const std::string* backup = nullptr;  // the replaced file's second name
    FileContent* content = nullptr;       // the size and digest of what was copied
  };
  // The one copy of a whole file: written under a temporary name in the
  // destination folder, then put in place.
  ErrorCode CopyWhole(const std::string& source, const std::string& destination,
                      const CopyExtras& extras);
  // Writes the open file `input` to a new temporary in the Unix folder
  // `folder`, held for signals until ReleaseTemporary; 0 or an errno (the
  // temporary is then gone).
  int WriteTemporary(int input, const struct stat& info, const std::string& folder,
                     std::string* temporary, FileContent* content);
  // Gives the existing file `old` the second name `backupPath` (a link, or a
  // whole copy on another volume) without touching it.
  ErrorCode KeepBackup(const ResolvedPath& old, const std::string& backupPath);

  // A whole copy of the file `from` at `to` on another volume, put in place
  // when complete: over an existing `to` when `mayReplace`, else only at a
  // free name (5 when taken).
  ErrorCode CopyAcrossVolumes(const ResolvedPath& from, const ResolvedPath& to, bool mayReplace);

  ErrorCode PutInPlace(int dir, const std::string& temporary, const ResolvedPath& to,
                       const struct stat& source, int* failure);
  // `call(descriptor)` on the held descriptor of the Unix folder `folder`;
  // failing with ENOENT, once more on the folder opened anew (it may have
  // been replaced since it was opened). The call's result: -1 with errno set
  // on failure.
  template <typename Call>
  int InFolder(const std::string& folder, Call call) {
    for (int attempt = 0;; ++attempt) {
      const int dir = folders().Get(folder);
      if (dir < 0) return -1;
      const int result = call(dir);
      if (result >= 0 || errno != ENOENT || attempt > 0) return result;
      folders().Forget(folder);
    }
  }
  // openat(`name`, flags, 0666) in the Unix folder `folder`.
  int OpenIn(const std::string& folder, const std::string& name, int flags);
  // CheckInsideCurrentFolder of a resolved Unix path.
  ErrorCode CheckContained(const std::string& unixPath);
  // open(`unixPath`, flags) for a path spelled as lying below the current
  // folder, through nothing that leads out of it, in one call: -1 when it
  // cannot be done so (no such call, a link to an absolute path, the file
  // missing), and the caller checks the way CheckContained does.
  int OpenBelowCurrentFolder(const std::string& unixPath, int flags);
  // Whether `unixPath` is spelled as lying below the current folder.
  bool BelowCurrentFolder(const std::string& unixPath) const;

  FolderHandles& folders() { return resolver_.cache().handles(); }

  PathResolver& resolver_;
  std::string realCurrentFolder_;  // fully resolved, once asked for
  FileDescriptor currentFolder_;    // opened once asked for
  // CopyWhole's paths, kept from copy to copy with the room they took.
  ResolvedPath copyFrom_;
  ResolvedPath copyTo_;
  std::string copyTemporary_;
};

}  // namespace tpl
