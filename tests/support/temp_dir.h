// A fresh folder for one test, removed with everything in it afterwards.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace tpl::test {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// Writes `content` to the Unix path `path`, creating missing folders.
void WriteHostFile(const std::string& path, const std::string& content);
// Creates the Unix folder `path` and its missing parents.
void MakeHostFolders(const std::string& path);
// The bytes of a Unix file ("" when it cannot be read).
std::string ReadHostFile(const std::string& path);
bool HostPathExists(const std::string& path);
// Every file below `root`, as sorted relative paths with '/' separators.
std::vector<std::string> ListHostTree(const std::string& root);
// Every entry below `root` but the installation logs: a file's bytes and
// write time, or "folder" (to show a tree is back as it was).
std::map<std::string, std::string> HostTreeState(const std::string& root);

}  // namespace tpl::test
