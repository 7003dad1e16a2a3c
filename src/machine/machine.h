// The machine: the Windows services the installer uses (registry, files,
// system facts), seen the way a 32-bit Windows program sees them.
//
// Every operation returns a Win32 error code (0 = success) or a value whose
// contract is stated on it; nothing throws. Paths are 8-bit Windows paths
// ("C:\a\b"); a relative path is relative to the machine's current folder,
// which is the kit's top folder. Composite operations (copying a tree,
// creating missing parents) live in the core, built on these primitives.
//
// Method names avoid the names <windows.h> turns into macros (CopyFile,
// CreateDirectory, GetUserName, ...), so the win32 machine can include it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "machine/errors.h"

namespace tpl {

enum class RegRoot { kLocalMachine, kCurrentUser };

// MAX_PATH: the size of the fixed buffers the installer hands to system calls.
constexpr size_t kMaxPath = 260;

// Registry value types, as RegQueryValueExA reports them.
constexpr uint32_t kRegNone = 0;
constexpr uint32_t kRegSz = 1;
constexpr uint32_t kRegExpandSz = 2;
constexpr uint32_t kRegBinary = 3;
constexpr uint32_t kRegDword = 4;
constexpr uint32_t kRegMultiSz = 7;

// An open registry key; destroying it closes it (RegCloseKey).
class RegistryKey {
 public:
  virtual ~RegistryKey() = default;

  // RegQueryValueExA of `name` into a buffer of `bufferSize` bytes.
  // 0: *type and *data hold the value; *data holds the bytes as the A call
  //    delivers them (strings in the ANSI code page, with their terminator
  //    when the stored data has one).
  // 2: no such value. 234: the data needs more than `bufferSize` bytes
  //    (*type is still set, *data is left empty).
  virtual ErrorCode QueryValue(const std::string& name, size_t bufferSize,
                               uint32_t* type, std::string* data) = 0;
};

// One entry of a directory search, as FindFirstFileA/FindNextFileA give it.
struct FindData {
  std::string name;
  bool directory = false;
  bool readOnly = false;
  bool reparsePoint = false;  // a symbolic link or junction
  // Neither a file nor a folder (a FIFO, socket or device); Windows lists none.
  bool special = false;
};

// A text file opened for reading in text mode (CR LF -> LF, Ctrl-Z ends the
// file), read line by line like CStdioFile::ReadString.
class TextReader {
 public:
  virtual ~TextReader() = default;
  // 0: *line holds the next line without its line end.
  // 38 (ERROR_HANDLE_EOF): no more lines. Any other code: a read failure.
  virtual ErrorCode ReadLine(std::string* line) = 0;
};

// The installation log file, held open without sharing; destroying it
// closes it. Bytes are written as given: the caller writes CR LF itself.
class LogWriter {
 public:
  virtual ~LogWriter() = default;
  virtual ErrorCode Write(const std::string& bytes) = 0;
  virtual ErrorCode Flush() = 0;
  // 0 while the file written to can still be found; 2 when it was removed
  // meanwhile (what was written is then lost with it).
  virtual ErrorCode StillPresent() = 0;
};

// A lock held until it is destroyed.
class MachineLock {
 public:
  virtual ~MachineLock() = default;
};

// GetVersionExA's facts.
struct OsVersionInfo {
  uint32_t platformId = 0;
  uint32_t majorVersion = 0;
  uint32_t minorVersion = 0;
  uint32_t buildNumber = 0;
  std::string csdVersion;
};

// What GetFileAttributesExA tells of an entry.
struct FileInfo {
  bool directory = false;
  bool readOnly = false;
  uint64_t size = 0;
};

// A file's content as the undo records it: its size and its XXH3-128 digest
// (32 lower-case hex digits, see machine/content_digest.h).
struct FileContent {
  uint64_t size = 0;
  std::string digest;
};

struct LocalTime {
  int year = 0;
  int month = 0;  // 1 to 12
  int day = 0;    // 1 to 31
  int hour = 0;
  int minute = 0;
  int second = 0;
};

class Machine {
 public:
  virtual ~Machine() = default;

  // --- Registry -----------------------------------------------------------

  // RegOpenKeyExA(root, subKey, 0, KEY_QUERY_VALUE). 0: *key is open.
  // 2: no such key. 5: access denied.
  virtual ErrorCode OpenRegistryKey(RegRoot root, const std::string& subKey,
                                    std::unique_ptr<RegistryKey>* key) = 0;

  // ExpandEnvironmentStringsA with a buffer of `bufferSize` bytes: returns the
  // size the result needs, terminator included; 0 on failure. *expanded is
  // set only when that size is at most `bufferSize`. Unknown %VAR% stay.
  virtual uint32_t ExpandEnvironment(const std::string& source,
                                     size_t bufferSize,
                                     std::string* expanded) = 0;

  // --- Files ----------------------------------------------------------------

  // FindFirstFileA/FindNextFileA collected: `pattern` is a path whose last
  // part may hold * and ?; without wildcards it finds that entry itself.
  // Entries come in the file system's order (Wine's: "." and ".." first
  // except at a drive root, then names sorted case-insensitively).
  // 0: at least one entry. 2: nothing matches. 3: the folder is missing.
  virtual ErrorCode FindFiles(const std::string& pattern,
                              std::vector<FindData>* entries) = 0;
  // FindFiles for a walk that needs each entry's name and kind only (file,
  // folder, link, neither): the read-only attribute may be left false. A
  // machine that learns every attribute at once need not override it.
  virtual ErrorCode FindFileKinds(const std::string& pattern, std::vector<FindData>* entries) {
    return FindFiles(pattern, entries);
  }

  // CopyFileA(source, destination, FALSE): overwrites an existing file.
  // The copy is made under a temporary name in the destination folder and
  // takes the final name only when complete: a failed copy leaves the old
  // file (or none) and no temporary; a link at the final name is replaced,
  // never written through. 2: source missing. 3: destination folder missing.
  // 5: destination read-only or a folder. 32: destination in use. 112: disk
  // full. 1920: the source is not a regular file (never waited on).
  // 995: abandoned because an interruption was requested.
  virtual ErrorCode CopyFileOver(const std::string& source,
                                 const std::string& destination) = 0;

  // CreateDirectoryA(path, NULL). 183: a folder or file of that name exists.
  // 3: the parent is missing.
  virtual ErrorCode MakeDirectory(const std::string& path) = 0;

  // An identity of the folder at `path` that is the same for every path that
  // leads to it (through links too), so that a walk can notice a loop.
  virtual ErrorCode FolderIdentity(const std::string& path,
                                   std::string* identity) = 0;

  // Where the entry at `path` leads, both it and the current folder fully
  // resolved. 0: a file or folder inside the current folder. 5: it leads
  // outside it (a machine may refuse every link or reparse point so). 1920:
  // neither a regular file nor a folder. 2/3: missing.
  virtual ErrorCode CheckInsideCurrentFolder(const std::string& path) = 0;

  // Opens a file for reading in text mode. 2/3: missing; 5: not readable;
  // a file of the current folder that CheckInsideCurrentFolder refuses gets
  // its code (5 or 1920).
  virtual ErrorCode OpenTextFile(const std::string& path,
                                 std::unique_ptr<TextReader>* reader) = 0;

  // Creates or truncates the log file, opened for writing without sharing;
  // never through a symbolic link (then 5).
  virtual ErrorCode CreateLogFile(const std::string& path,
                                  std::unique_ptr<LogWriter>* writer) = 0;

  // Takes the lock that lets one installation at a time run on this machine,
  // held for the life of *lock. 0: held. 32: another run holds it. Other
  // codes: the lock cannot be made (5: the machine is read-only).
  virtual ErrorCode LockInstallation(std::unique_ptr<MachineLock>* lock) = 0;

  // --- Files kept for undo -------------------------------------------------

  // GetFileAttributesExA. 0: *info is set. 2/3: missing.
  virtual ErrorCode QueryFile(const std::string& path, FileInfo* info) = 0;

  // Reads the whole file: its size and digest. 2/3: missing. 5: a folder, or
  // not a regular file. Never blocks on a special file.
  virtual ErrorCode DigestFile(const std::string& path, FileContent* content) = 0;

  // CopyFileA(source, destination, TRUE) that also gives the size and digest
  // of what it copied. 80: `destination` exists (nothing is written). Other
  // errors as CopyFileOver's.
  virtual ErrorCode CopyNewFile(const std::string& source, const std::string& destination,
                                FileContent* copied) = 0;

  // CopyFileOver of an existing `destination` that first keeps the file it
  // replaces at `backupPath` (a free name in an existing folder): the final
  // name never goes missing, and a failure leaves the previous file there.
  // Errors as CopyFileOver's; the checks that refuse the copy come before
  // the backup is made.
  virtual ErrorCode ReplaceKeepingBackup(const std::string& source,
                                         const std::string& destination,
                                         const std::string& backupPath) = 0;

  // MoveFileExA(from, to, REPLACE_EXISTING | COPY_ALLOWED): `to` becomes the
  // file `from` was, content and write time, and `from` is gone.
  virtual ErrorCode MoveFileOver(const std::string& from, const std::string& to) = 0;

  // DeleteFileA, also of a read-only file. 5: a folder.
  virtual ErrorCode RemoveFile(const std::string& path) = 0;

  // RemoveDirectoryA. 145: the folder is not empty.
  virtual ErrorCode RemoveFolder(const std::string& path) = 0;

  // Opens `path` for appending, creating it when missing, never through a
  // symbolic link (then 5). Every Write reaches the file at once.
  virtual ErrorCode OpenAppendFile(const std::string& path,
                                   std::unique_ptr<LogWriter>* writer) = 0;

  // FormatMessageA(FROM_SYSTEM) of `code`: the system's text with its CR LF,
  // or "" when the system has none.
  virtual std::string SystemMessage(ErrorCode code) = 0;

  // --- System ---------------------------------------------------------------

  virtual ErrorCode OsVersion(OsVersionInfo* info) = 0;          // GetVersionExA
  virtual ErrorCode UserName(std::string* name) = 0;             // GetUserNameA
  virtual ErrorCode WindowsFolder(std::string* path) = 0;        // GetWindowsDirectoryA
  virtual ErrorCode TempPath(std::string* path) = 0;             // GetTempPathA, ends in "\"
  virtual LocalTime Now() = 0;                                   // GetLocalTime
  virtual void Pause(uint32_t milliseconds) = 0;                 // Sleep
};

}  // namespace tpl
