// Builds a Wine prefix (a Windows machine image) in a folder, for tests:
// registry files in Wine's own format, drives under dosdevices, and files.
//
//   PrefixBuilder prefix(tmp.path() + "/prefix");
//   prefix.AddFrontPage(kFP2002, "C:\\Program Files\\Microsoft Office\\Office10");
//   prefix.Write();
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "machine/machine.h"

namespace tpl::test {

struct PrefixOptions {
  bool win64 = false;          // HKLM\Software\X is then stored under Software\Wow6432Node\X
  std::string user = "tester";
  bool fresh = true;           // the keys and folders of a fresh prefix (see below)
};

class PrefixBuilder {
 public:
  // A fresh prefix has, like Wine 8's: C:\windows, C:\users\<user>\Temp and
  // ...\AppData\Roaming; HKLM CommonFilesDir (C:\Program Files\Common Files,
  // or "(x86)" in a win64 prefix); HKCU Shell Folders AppData; the
  // environment keys with TEMP/TMP; HKLM Windows NT\CurrentVersion 6.1 SP1.
  explicit PrefixBuilder(std::string root, PrefixOptions options = {});

  const std::string& root() const { return root_; }
  const PrefixOptions& options() const { return options_; }

  // Registry (written by Write). Keys are full paths below the root, e.g.
  // "Software\\Microsoft\\Office\\10.0\\Common\\InstallRoot".
  PrefixBuilder& SetString(RegRoot root, const std::string& key, const std::string& name,
                           const std::string& value);
  PrefixBuilder& SetExpandString(RegRoot root, const std::string& key, const std::string& name,
                                 const std::string& value);
  PrefixBuilder& SetDword(RegRoot root, const std::string& key, const std::string& name,
                          uint32_t value);
  // A value of any type as raw bytes (hex(N):).
  PrefixBuilder& SetRaw(RegRoot root, const std::string& key, const std::string& name,
                        uint32_t type, const std::string& bytes);
  // A string stored exactly at `key`, never redirected: in a win64 prefix
  // this is the 64-bit view a 32-bit program must not see.
  PrefixBuilder& SetNativeString(RegRoot root, const std::string& key, const std::string& name,
                                 const std::string& value);
  PrefixBuilder& RemoveValue(RegRoot root, const std::string& key, const std::string& name);

  // FrontPage as the installer looks for it. `version` is 0 (98) to 3 (2003);
  // the root is a Windows path. With `probe`, the program file is created.
  PrefixBuilder& AddFrontPage(int version, const std::string& root, bool probe = true);
  // The App Paths entry of the current FrontPage (with frontpg.exe when `probe`).
  PrefixBuilder& SetCurrentFrontPage(const std::string& root, bool probe = true);

  // Files and folders, created at once. Windows paths on a mapped drive.
  PrefixBuilder& AddFile(const std::string& windowsPath, const std::string& content = "");
  PrefixBuilder& AddFolder(const std::string& windowsPath);
  // Maps a drive letter to a Unix folder (dosdevices/<letter>:).
  PrefixBuilder& AddDrive(char letter, const std::string& unixTarget);

  // Writes system.reg and user.reg.
  void Write() const;

  // The Unix path of a Windows path, spelled as given (no case matching).
  std::string HostPath(const std::string& windowsPath) const;

  std::string AppDataPath() const;  // C:\users\<user>\AppData\Roaming

 private:
  using Key = std::map<std::string, std::string>;  // value name -> Wine's right-hand side
  // Stores a value; `redirect` applies the win64 view.
  PrefixBuilder& Put(RegRoot root, const std::string& key, const std::string& name,
                     std::string encoded, bool redirect = true);
  std::string StoredKey(RegRoot root, const std::string& key) const;

  std::string root_;
  PrefixOptions options_;
  std::map<std::string, Key> machine_;
  std::map<std::string, Key> user_;
};

}  // namespace tpl::test
