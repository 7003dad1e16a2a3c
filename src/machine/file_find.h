// CFileFind over the machine: a directory search walked entry by entry.
//
//   CFileFind finder(machine);
//   bool more = finder.FindFile("common\\Themes\\*.*");
//   while (more) {
//     more = finder.FindNextFile();  // false: this entry is the last one
//     ... finder.GetFileName() ...
//   }
#pragma once

#include <string>
#include <vector>

#include "machine/machine.h"

namespace tpl {

class CFileFind {
 public:
  explicit CFileFind(Machine& machine) : machine_(machine) {}

  // Starts a search; false when nothing matches (LastError() tells why).
  bool FindFile(const std::string& pattern = "*.*");
  // Moves to the next entry; returns whether another one follows it.
  bool FindNextFile();
  void Close();

  bool IsDots() const;
  bool IsDirectory() const;
  bool IsReadOnly() const;
  bool IsReparsePoint() const;
  std::string GetFileName() const;   // "blue.inf"
  std::string GetFileTitle() const;  // "blue"
  std::string GetFilePath() const;   // the search's folder + name
  ErrorCode LastError() const { return error_; }

 private:
  Machine& machine_;
  std::string root_;  // the pattern's folder, with its final backslash
  std::vector<FindData> entries_;
  size_t next_ = 0;  // index of the entry FindNextFile moves to
  ErrorCode error_ = 0;
};

// Joins a folder and a name with one backslash: parent + "\" + name.
inline std::string JoinPath(const std::string& parent, const std::string& name) {
  std::string path;
  path.reserve(parent.size() + 1 + name.size());  // one allocation per path
  path.append(parent).append(1, '\\').append(name);
  return path;
}

}  // namespace tpl
