#include "support/prefix_builder.h"

#include <cstdio>
#include <filesystem>

#include "machine/ascii_case.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace tpl::test {
namespace {

// Where each FrontPage version (98 to 2003) is registered, and its program file.
const struct { const char *key, *value, *program; } kFrontPages[] = {
    {"Software\\Microsoft\\FrontPage\\3.0", "FrontPageRoot", "\\bin\\fpexplor.exe"},
    {"Software\\Microsoft\\Office\\9.0\\Common\\InstallRoot", "Path", "\\frontpg.exe"},
    {"Software\\Microsoft\\Office\\10.0\\Common\\InstallRoot", "Path", "\\frontpg.exe"},
    {"Software\\Microsoft\\Office\\11.0\\Common\\InstallRoot", "Path", "\\frontpg.exe"}};

// Wine's quoted-string escaping of `text` ("a\\\\b" for a\\b).
std::string WineRegEscape(const std::string& text) {
  std::string out;
  for (char c : text) out += c == '\\' || c == '"' ? std::string{'\\', c} : std::string{c};
  return out;
}

std::string Quoted(const std::string& text) { return "\"" + WineRegEscape(text) + "\""; }

// dosdevices/<letter>: of the prefix at `root`.
std::string DriveLink(const std::string& root, char letter) {
  return root + "/dosdevices/" + AsciiLower(letter) + ":";
}

// Key path -> value name -> the value's right-hand side in Wine's format.
using Hive = std::map<std::string, std::map<std::string, std::string>>;

void WriteHive(const std::string& file, const Hive& hive, const std::string& relativeTo,
               bool win64) {
  std::string text = "WINE REGISTRY Version 2\n;; All keys relative to " + relativeTo + "\n\n";
  text += win64 ? "#arch=win64\n" : "#arch=win32\n";
  for (const auto& [key, values] : hive) {
    text += "\n[" + WineRegEscape(key) + "] 1796587031\n#time=1dd85bbfb83a7f4\n";
    for (const auto& [name, encoded] : values) {
      text += (name.empty() ? std::string("@") : Quoted(name)) + "=" + encoded + "\n";
    }
  }
  WriteHostFile(file, text);
}

}  // namespace

PrefixBuilder::PrefixBuilder(std::string root, PrefixOptions options)
    : root_(std::move(root)), options_(std::move(options)) {
  MakeHostFolders(root_ + "/drive_c");
  MakeHostFolders(root_ + "/dosdevices");
  std::error_code ignored;
  fs::create_directory_symlink("../drive_c", DriveLink(root_, 'c'), ignored);
  if (!options_.fresh) return;

  const std::string programFiles = options_.win64 ? "C:\\Program Files (x86)" : "C:\\Program Files";
  const std::string temp = "C:\\users\\" + options_.user + "\\Temp";
  AddFolder("C:\\windows\\system32").AddFolder("C:\\windows\\temp").AddFolder(temp);
  AddFolder(AppDataPath()).AddFolder(programFiles + "\\Common Files");
  const RegRoot hklm = RegRoot::kLocalMachine, hkcu = RegRoot::kCurrentUser;
  const std::string windows = "Software\\Microsoft\\Windows\\CurrentVersion";
  SetString(hklm, windows, "CommonFilesDir", programFiles + "\\Common Files");
  SetString(hklm, windows, "ProgramFilesDir", programFiles);
  SetString(hkcu, windows + "\\Explorer\\Shell Folders", "AppData", AppDataPath());
  const std::string env = "System\\CurrentControlSet\\Control\\Session Manager\\Environment";
  SetExpandString(hklm, env, "TEMP", "%SystemRoot%\\temp");
  SetExpandString(hklm, env, "TMP", "%SystemRoot%\\temp");
  SetString(hklm, env, "windir", "C:\\windows");
  SetString(hkcu, "Environment", "TEMP", temp).SetString(hkcu, "Environment", "TMP", temp);
  SetString(hkcu, "Volatile Environment", "APPDATA", AppDataPath());
  SetString(hkcu, "Volatile Environment", "USERPROFILE", "C:\\users\\" + options_.user);
  SetString(hkcu, "Volatile Environment", "USERNAME", options_.user);
  const std::string nt = "Software\\Microsoft\\Windows NT\\CurrentVersion";
  SetString(hklm, nt, "CurrentVersion", "6.1").SetString(hklm, nt, "CSDVersion", "Service Pack 1");
  SetString(hklm, nt, "CurrentBuildNumber", "7601")
      .SetString(hklm, nt, "SystemRoot", "C:\\windows");
  if (!options_.win64) {  // a 32-bit program in a win64 prefix sees no version numbers
    SetDword(hklm, nt, "CurrentMajorVersionNumber", 6);
    SetDword(hklm, nt, "CurrentMinorVersionNumber", 1);
  }
}

std::string PrefixBuilder::AppDataPath() const {
  return "C:\\users\\" + options_.user + "\\AppData\\Roaming";
}

PrefixBuilder& PrefixBuilder::Put(RegRoot root, const std::string& key, const std::string& name,
                                  std::string encoded, bool redirect) {
  auto& hive = root == RegRoot::kLocalMachine ? machine_ : user_;
  hive[redirect ? StoredKey(root, key) : key][name] = std::move(encoded);
  return *this;
}

std::string PrefixBuilder::StoredKey(RegRoot root, const std::string& key) const {
  // A 32-bit program in a win64 prefix reads HKLM\Software\X from Wow6432Node.
  if (options_.win64 && root == RegRoot::kLocalMachine &&
      AsciiLower(key.substr(0, 9)) == "software\\" &&
      AsciiLower(key.substr(9, 11)) != "wow6432node") {
    return "Software\\Wow6432Node\\" + key.substr(9);
  }
  return key;
}

PrefixBuilder& PrefixBuilder::SetString(RegRoot root, const std::string& key,
                                        const std::string& name, const std::string& value) {
  return Put(root, key, name, Quoted(value));
}

PrefixBuilder& PrefixBuilder::SetExpandString(RegRoot root, const std::string& key,
                                              const std::string& name, const std::string& value) {
  return Put(root, key, name, "str(2):" + Quoted(value));
}

PrefixBuilder& PrefixBuilder::SetDword(RegRoot root, const std::string& key,
                                       const std::string& name, uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "dword:%08x", value);
  return Put(root, key, name, text);
}

PrefixBuilder& PrefixBuilder::SetRaw(RegRoot root, const std::string& key, const std::string& name,
                                     uint32_t type, const std::string& bytes) {
  char text[16];
  std::snprintf(text, sizeof text, "hex(%x):", type);
  std::string encoded = text;
  for (size_t i = 0; i < bytes.size(); ++i) {
    std::snprintf(text, sizeof text, i ? ",%02x" : "%02x", static_cast<unsigned char>(bytes[i]));
    encoded += text;
  }
  return Put(root, key, name, encoded);
}

PrefixBuilder& PrefixBuilder::SetNativeString(RegRoot root, const std::string& key,
                                              const std::string& name, const std::string& value) {
  return Put(root, key, name, Quoted(value), /*redirect=*/false);
}

PrefixBuilder& PrefixBuilder::RemoveValue(RegRoot root, const std::string& key,
                                          const std::string& name) {
  auto& hive = root == RegRoot::kLocalMachine ? machine_ : user_;
  auto found = hive.find(StoredKey(root, key));
  if (found != hive.end()) found->second.erase(name);
  return *this;
}

PrefixBuilder& PrefixBuilder::AddFrontPage(int version, const std::string& root, bool probe) {
  const auto& frontPage = kFrontPages[version];
  SetString(RegRoot::kLocalMachine, frontPage.key, frontPage.value, root);
  if (probe) AddFile(root + frontPage.program, "MZ");
  return *this;
}

PrefixBuilder& PrefixBuilder::SetCurrentFrontPage(const std::string& root, bool probe) {
  SetString(RegRoot::kLocalMachine,
            "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\frontpg.exe", "Path", root);
  if (probe) AddFile(root + "\\frontpg.exe", "MZ");
  return *this;
}

std::string PrefixBuilder::HostPath(const std::string& windowsPath) const {
  std::string rest = windowsPath.substr(2);
  for (char& c : rest) c = c == '\\' ? '/' : c;
  return DriveLink(root_, windowsPath[0]) + (rest.empty() || rest[0] == '/' ? "" : "/") + rest;
}

PrefixBuilder& PrefixBuilder::AddFile(const std::string& windowsPath, const std::string& content) {
  WriteHostFile(HostPath(windowsPath), content);
  return *this;
}

PrefixBuilder& PrefixBuilder::AddFolder(const std::string& windowsPath) {
  MakeHostFolders(HostPath(windowsPath));
  return *this;
}

PrefixBuilder& PrefixBuilder::AddDrive(char letter, const std::string& unixTarget) {
  MakeHostFolders(unixTarget);
  std::error_code ignored;
  fs::remove(DriveLink(root_, letter), ignored);
  fs::create_directory_symlink(unixTarget, DriveLink(root_, letter));
  return *this;
}

void PrefixBuilder::Write() const {
  WriteHive(root_ + "/system.reg", machine_, "\\\\Machine", options_.win64);
  WriteHive(root_ + "/user.reg", user_, "\\\\User\\\\S-1-5-21-0-0-0-1000", options_.win64);
}

}  // namespace tpl::test
