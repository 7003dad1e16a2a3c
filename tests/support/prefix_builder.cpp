#include "support/prefix_builder.h"

#include <cstdio>
#include <filesystem>
#include <stdexcept>

#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace tpl::test {
namespace {

const char* const kOfficeKeys[] = {
    "", "Software\\Microsoft\\Office\\9.0\\Common\\InstallRoot",
    "Software\\Microsoft\\Office\\10.0\\Common\\InstallRoot",
    "Software\\Microsoft\\Office\\11.0\\Common\\InstallRoot"};

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

std::string Hex(const std::string& bytes) {
  std::string out;
  char byte[4];
  for (size_t i = 0; i < bytes.size(); ++i) {
    std::snprintf(byte, sizeof byte, "%02x", static_cast<unsigned char>(bytes[i]));
    if (i) out += ',';
    out += byte;
  }
  return out;
}

// Wine's quoted-string escaping of `text` ("a\\\\b" for a\\b).
std::string WineRegEscape(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  return out;
}

std::string Quoted(const std::string& text) { return "\"" + WineRegEscape(text) + "\""; }

}  // namespace

PrefixBuilder::PrefixBuilder(std::string root, PrefixOptions options)
    : root_(std::move(root)), options_(std::move(options)) {
  MakeHostFolders(root_ + "/drive_c");
  MakeHostFolders(root_ + "/dosdevices");
  std::error_code ignored;
  fs::create_directory_symlink("../drive_c", root_ + "/dosdevices/c:", ignored);
  if (!options_.fresh) return;

  const std::string user = options_.user;
  AddFolder("C:\\windows\\system32");
  AddFolder("C:\\windows\\temp");
  AddFolder(TempPath());
  AddFolder(AppDataPath());
  AddFolder(CommonFilesPath());
  SetString(RegRoot::kLocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion",
            "CommonFilesDir", CommonFilesPath());
  SetString(RegRoot::kLocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion",
            "ProgramFilesDir", options_.win64 ? "C:\\Program Files (x86)" : "C:\\Program Files");
  SetString(RegRoot::kCurrentUser,
            "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", "AppData",
            AppDataPath());
  const std::string env = "System\\CurrentControlSet\\Control\\Session Manager\\Environment";
  SetExpandString(RegRoot::kLocalMachine, env, "TEMP", "%SystemRoot%\\temp");
  SetExpandString(RegRoot::kLocalMachine, env, "TMP", "%SystemRoot%\\temp");
  SetString(RegRoot::kLocalMachine, env, "windir", "C:\\windows");
  SetString(RegRoot::kCurrentUser, "Environment", "TEMP", TempPath());
  SetString(RegRoot::kCurrentUser, "Environment", "TMP", TempPath());
  SetString(RegRoot::kCurrentUser, "Volatile Environment", "APPDATA", AppDataPath());
  SetString(RegRoot::kCurrentUser, "Volatile Environment", "USERPROFILE",
            "C:\\users\\" + user);
  SetString(RegRoot::kCurrentUser, "Volatile Environment", "USERNAME", user);
  const std::string nt = "Software\\Microsoft\\Windows NT\\CurrentVersion";
  SetString(RegRoot::kLocalMachine, nt, "CurrentVersion", "6.1");
  SetString(RegRoot::kLocalMachine, nt, "CSDVersion", "Service Pack 1");
  SetString(RegRoot::kLocalMachine, nt, "CurrentBuildNumber", "7601");
  SetString(RegRoot::kLocalMachine, nt, "SystemRoot", "C:\\windows");
  if (!options_.win64) {
    SetDword(RegRoot::kLocalMachine, nt, "CurrentMajorVersionNumber", 6);
    SetDword(RegRoot::kLocalMachine, nt, "CurrentMinorVersionNumber", 1);
  }
}

std::string PrefixBuilder::AppDataPath() const {
  return "C:\\users\\" + options_.user + "\\AppData\\Roaming";
}

std::string PrefixBuilder::TempPath() const { return "C:\\users\\" + options_.user + "\\Temp"; }

std::string PrefixBuilder::CommonFilesPath() const {
  return options_.win64 ? "C:\\Program Files (x86)\\Common Files"
                        : "C:\\Program Files\\Common Files";
}

PrefixBuilder& PrefixBuilder::Put(RegRoot root, const std::string& key, const std::string& name,
                                  std::string encoded, bool redirect) {
  auto& hive = root == RegRoot::kLocalMachine ? machine_ : user_;
  hive[redirect ? StoredKey(root, key) : key][name] = {std::move(encoded)};
  return *this;
}

std::string PrefixBuilder::StoredKey(RegRoot root, const std::string& key) const {
  // A 32-bit program in a win64 prefix reads HKLM\Software\X from Wow6432Node.
  if (options_.win64 && root == RegRoot::kLocalMachine &&
      Lower(key.substr(0, 9)) == "software\\" &&
      Lower(key.substr(9, 11)) != "wow6432node") {
    return "Software\\Wow6432Node\\" + key.substr(9);
  }
  return key;
}

PrefixBuilder& PrefixBuilder::SetString(RegRoot root, const std::string& key,
                                        const std::string& name, const std::string& value) {
  return Put(root, key, name, Quoted(value));
}

PrefixBuilder& PrefixBuilder::SetExpandString(RegRoot root, const std::string& key,
                                              const std::string& name,
                                              const std::string& value) {
  return Put(root, key, name, "str(2):" + Quoted(value));
}

PrefixBuilder& PrefixBuilder::SetDword(RegRoot root, const std::string& key,
                                       const std::string& name, uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "dword:%08x", value);
  return Put(root, key, name, text);
}

PrefixBuilder& PrefixBuilder::SetRaw(RegRoot root, const std::string& key,
                                     const std::string& name, uint32_t type,
                                     const std::string& bytes) {
  char prefix[16];
  std::snprintf(prefix, sizeof prefix, "hex(%x):", type);
  return Put(root, key, name, prefix + Hex(bytes));
}

PrefixBuilder& PrefixBuilder::SetNativeString(RegRoot root, const std::string& key,
                                              const std::string& name,
                                              const std::string& value) {
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
  if (version == 0) {
    SetString(RegRoot::kLocalMachine, "Software\\Microsoft\\FrontPage\\3.0", "FrontPageRoot",
              root);
    if (probe) AddFile(root + "\\bin\\fpexplor.exe", "MZ");
  } else {
    SetString(RegRoot::kLocalMachine, kOfficeKeys[version], "Path", root);
    if (probe) AddFile(root + "\\frontpg.exe", "MZ");
  }
  return *this;
}

PrefixBuilder& PrefixBuilder::SetCurrentFrontPage(const std::string& root, bool probe) {
  SetString(RegRoot::kLocalMachine,
            "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\frontpg.exe", "Path", root);
  if (probe) AddFile(root + "\\frontpg.exe", "MZ");
  return *this;
}

std::string PrefixBuilder::HostPath(const std::string& windowsPath) const {
  if (windowsPath.size() < 2 || windowsPath[1] != ':') {
    throw std::invalid_argument("not a drive path: " + windowsPath);
  }
  std::string path = root_ + "/dosdevices/" +
                     static_cast<char>(std::tolower(static_cast<unsigned char>(windowsPath[0]))) +
                     ":";
  std::string rest = windowsPath.substr(2);
  for (char& c : rest) {
    if (c == '\\') c = '/';
  }
  if (!rest.empty() && rest[0] != '/') rest = "/" + rest;
  return path + rest;
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
  const std::string link = root_ + "/dosdevices/" +
                           static_cast<char>(std::tolower(static_cast<unsigned char>(letter))) +
                           ":";
  std::error_code ignored;
  fs::remove(link, ignored);
  fs::create_directory_symlink(unixTarget, link);
  return *this;
}

void PrefixBuilder::WriteHive(const std::string& file, const std::map<std::string, Key>& hive,
                              const std::string& relativeTo) const {
  std::string text = "WINE REGISTRY Version 2\n;; All keys relative to " + relativeTo + "\n\n";
  text += options_.win64 ? "#arch=win64\n" : "#arch=win32\n";
  for (const auto& [key, values] : hive) {
    text += "\n[" + WineRegEscape(key) + "] 1796587031\n#time=1dd85bbfb83a7f4\n";
    for (const auto& [name, value] : values) {
      text += (name.empty() ? std::string("@") : Quoted(name)) + "=" + value.encoded + "\n";
    }
  }
  WriteHostFile(file, text);
}

void PrefixBuilder::Write() const {
  WriteHive(root_ + "/system.reg", machine_, "\\\\Machine");
  WriteHive(root_ + "/user.reg", user_, "\\\\User\\\\S-1-5-21-0-0-0-1000");
}

}  // namespace tpl::test
