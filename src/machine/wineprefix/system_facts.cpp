#include "machine/wineprefix/system_facts.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

#include "machine/wineprefix/environment.h"
#include "machine/wineprefix/registry_view.h"

namespace tpl {
namespace {

const char* const kWindowsNtKey = "Software\\Microsoft\\Windows NT\\CurrentVersion";
const char* const kDefaultWindowsFolder = "C:\\windows";

// Digits read without the C locale's help; stops at the first non-digit.
uint32_t LeadingNumber(const std::string& text, size_t* pos) {
  uint32_t number = 0;
  while (*pos < text.size() && text[*pos] >= '0' && text[*pos] <= '9') {
    number = number * 10 + static_cast<uint32_t>(text[*pos] - '0');
    ++*pos;
  }
  return number;
}

}  // namespace

OsVersionInfo ReadOsVersion(RegistryView& registry) {
  OsVersionInfo info;
  info.platformId = 2;
  std::unique_ptr<RegistryKey> key;
  if (registry.Open(RegRoot::kLocalMachine, kWindowsNtKey, &key) != kErrorSuccess) {
    info.majorVersion = 6;
    info.minorVersion = 1;
    info.buildNumber = 7601;
    info.csdVersion = "Service Pack 1";
    return info;
  }
  uint32_t major = 0, minor = 0;
  if (registry.ReadDword(RegRoot::kLocalMachine, kWindowsNtKey, "CurrentMajorVersionNumber",
                         &major) &&
      registry.ReadDword(RegRoot::kLocalMachine, kWindowsNtKey, "CurrentMinorVersionNumber",
                         &minor)) {
    info.majorVersion = major;
    info.minorVersion = minor;
  } else {
    std::string version;
    if (registry.ReadString(RegRoot::kLocalMachine, kWindowsNtKey, "CurrentVersion", &version)) {
      size_t pos = 0;
      info.majorVersion = LeadingNumber(version, &pos);
      if (pos < version.size() && version[pos] == '.') {
        ++pos;
        info.minorVersion = LeadingNumber(version, &pos);
      }
    }
  }
  std::string build;
  if (registry.ReadString(RegRoot::kLocalMachine, kWindowsNtKey, "CurrentBuildNumber", &build)) {
    size_t pos = 0;
    info.buildNumber = LeadingNumber(build, &pos);
  }
  registry.ReadString(RegRoot::kLocalMachine, kWindowsNtKey, "CSDVersion", &info.csdVersion);
  return info;
}

std::string ReadWindowsFolder(RegistryView& registry) {
  std::string folder;
  if (!registry.ReadString(RegRoot::kLocalMachine, kWindowsNtKey, "SystemRoot", &folder)) {
    return kDefaultWindowsFolder;
  }
  while (folder.size() > 3 && folder.back() == '\\') folder.pop_back();
  return folder.empty() ? kDefaultWindowsFolder : folder;
}

std::string ChooseTempPath(const Environment& environment, const std::string& windowsFolder) {
  std::string path;
  for (const char* name : {"TMP", "TEMP", "USERPROFILE"}) {
    if (environment.Get(name, &path) && !path.empty()) break;
    path.clear();
  }
  if (path.empty()) path = windowsFolder;
  if (path.back() != '\\') path += '\\';
  return path;
}

ErrorCode FindUserName(const std::string& configured, std::string* name) {
  if (!configured.empty()) {
    *name = configured;
    return kErrorSuccess;
  }
  const char* user = std::getenv("USER");
  if (user != nullptr && *user != '\0') {
    *name = user;
    return kErrorSuccess;
  }
  passwd entry;
  passwd* found = nullptr;
  char buffer[4096];
  if (getpwuid_r(getuid(), &entry, buffer, sizeof buffer, &found) == 0 && found != nullptr) {
    *name = found->pw_name;
    return kErrorSuccess;
  }
  return kErrorFileNotFound;
}

}  // namespace tpl
