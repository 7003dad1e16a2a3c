// Registry, environment and system facts, on the wineprefix machine.
#include <unistd.h>

#include <cstring>

#include "machine_contract.h"

namespace tpl::test {
namespace {

const char* const kCurrentVersion = "Software\\Microsoft\\Windows\\CurrentVersion";
const char* const kWindowsNt = "Software\\Microsoft\\Windows NT\\CurrentVersion";
const char* const kSystemEnvironment =
    "System\\CurrentControlSet\\Control\\Session Manager\\Environment";
const RegRoot kHklm = RegRoot::kLocalMachine;
const RegRoot kHkcu = RegRoot::kCurrentUser;

class SystemContract : public MachineContract {
 protected:
  // A value as "type:data" (data without its terminator), or "error N".
  std::string Value(RegRoot root, const std::string& key, const std::string& name) {
    std::unique_ptr<RegistryKey> opened;
    ErrorCode error = machine().OpenRegistryKey(root, key, &opened);
    if (error != kErrorSuccess) return "error " + std::to_string(error);
    uint32_t type = 99;
    std::string data = "stale";
    error = opened->QueryValue(name, 260, &type, &data);
    if (error != kErrorSuccess) return "error " + std::to_string(error) + " type " + std::to_string(type);
    if (type == kRegSz || type == kRegExpandSz) data = data.substr(0, data.find('\0'));
    return std::to_string(type) + ":" + data;
  }

  // "temp folder | windows folder | major.minor.build csd".
  std::string Facts() {
    std::string temp, windows;
    OsVersionInfo info;
    EXPECT_EQ(machine().TempPath(&temp), kErrorSuccess);
    EXPECT_EQ(machine().WindowsFolder(&windows), kErrorSuccess);
    EXPECT_EQ(machine().OsVersion(&info), kErrorSuccess);
    EXPECT_EQ(info.platformId, 2u);
    return temp + " | " + windows + " | " + std::to_string(info.majorVersion) + "." +
           std::to_string(info.minorVersion) + "." + std::to_string(info.buildNumber) + " " +
           info.csdVersion;
  }
};

TEST_F(SystemContract, ValuesOfEachTypeAndTheirFailures) {
  prefix().SetExpandString(kHklm, "Software\\Test", "Expand", "%SystemRoot%\\x");
  prefix().SetDword(kHklm, "Software\\Test", "Number", 0x2a);
  prefix().SetString(kHkcu, "Software\\Test", "Fits", std::string(259, 'a'));
  prefix().SetString(kHkcu, "Software\\Test", "TooLong", std::string(260, 'b'));
  EXPECT_EQ(Value(kHklm, kCurrentVersion, "commonfilesdir"), "1:C:\\Program Files\\Common Files");
  EXPECT_EQ(Value(kHklm, "SOFTWARE\\test", "Expand"), "2:%SystemRoot%\\x");  // not expanded
  EXPECT_EQ(Value(kHklm, "Software\\Test", "Number"), std::string("4:*\0\0\0", 6));
  EXPECT_EQ(Value(kHklm, "Software\\Test", "Missing"), "error 2 type 99");
  EXPECT_EQ(Value(kHklm, "Software\\NoSuchKey", "x"), "error 2");
  // Keys written only as parents of others still open.
  EXPECT_EQ(Value(kHklm, "Software\\Microsoft", "x"), "error 2 type 99");
  EXPECT_EQ(Value(kHkcu, "Software\\Test", "Fits"), "1:" + std::string(259, 'a'));
  EXPECT_EQ(Value(kHkcu, "Software\\Test", "TooLong"), "error 234 type 1");
}

TEST_F(SystemContract, Win64PrefixReadsThe32BitView) {
  UsePrefix(PrefixOptions{true});
  prefix().SetNativeString(kHklm, "Software\\OnlyNative", "x", "64-bit");
  prefix().SetNativeString(kHkcu, "Software\\UserKey", "x", "user");
  prefix().SetString(kHklm, kWindowsNt, "CurrentVersion", "5.2");
  prefix().SetString(kHklm, kWindowsNt, "CSDVersion", "Service Pack 2");
  EXPECT_EQ(Value(kHklm, kCurrentVersion, "CommonFilesDir"),
            "1:C:\\Program Files (x86)\\Common Files");
  EXPECT_EQ(Value(kHklm, "Software\\OnlyNative", "x"), "error 2");  // no fallback
  EXPECT_EQ(Value(kHkcu, "Software\\UserKey", "x"), "1:user");     // HKCU as is
  EXPECT_EQ(Value(kHklm, kSystemEnvironment, "windir"), "1:C:\\windows");
  // The version from the string: no dwords in the 32-bit view.
  EXPECT_EQ(Facts(), "C:\\users\\tester\\Temp\\ | C:\\windows | 5.2.7601 Service Pack 2");
}

TEST_F(SystemContract, UnreadableOrForeignHives) {
  machine();  // writes the registry files
  // A file that is no registry warns once and has no keys; a missing one has none either.
  WriteHostFile(prefix().root() + "/user.reg", "this is not a registry\n[Software\\X]\n");
  unlink((prefix().root() + "/system.reg").c_str());
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(Value(kHklm, kCurrentVersion, "CommonFilesDir"), "error 2");
  EXPECT_EQ(Value(kHkcu, "Software\\X", "v"), "error 2");
  EXPECT_EQ(Value(kHkcu, "Environment", "TEMP"), "error 2");
  const std::string warnings = ::testing::internal::GetCapturedStderr();
  const std::string file = prefix().root() + "/user.reg";
  ASSERT_NE(warnings.find(file), std::string::npos) << warnings;
  EXPECT_EQ(warnings.find(file, warnings.find(file) + 1), std::string::npos) << warnings;
  UsePrefix(PrefixOptions());
  machine();
  unlink((prefix().root() + "/system.reg").c_str());
  MakeHostFolders(prefix().root() + "/system.reg");  // a folder cannot be read as a file
  EXPECT_EQ(Value(kHklm, kCurrentVersion, "CommonFilesDir"), "error 5");
  EXPECT_EQ(Value(kHkcu, "Environment", "TEMP"), "1:C:\\users\\tester\\Temp");
}

TEST_F(SystemContract, EnvironmentExpansion) {
  // Later environment keys override earlier ones; expandable values expand.
  prefix().SetExpandString(kHklm, kSystemEnvironment, "Both", "%SystemRoot%\\m");
  prefix().SetString(kHkcu, "Environment", "Both", "user");
  prefix().SetString(kHkcu, "Volatile Environment", "Both", "volatile");
  prefix().SetExpandString(kHklm, kSystemEnvironment, "Machine", "%windir%\\m");
  prefix().SetExpandString(kHkcu, "Environment", "Nested", "%Machine%\\n");
  const struct { const char* source; const char* expanded; } cases[] = {
      {"%TEMP%\\tplsetup.log", "C:\\users\\tester\\Temp\\tplsetup.log"},
      {"%temp%", "C:\\users\\tester\\Temp"}, {"%SystemRoot%;%WINDIR%", "C:\\windows;C:\\windows"},
      {"%APPDATA%", "C:\\users\\tester\\AppData\\Roaming"}, {"%NoSuchVar%\\x", "%NoSuchVar%\\x"},
      {"100% sure", "100% sure"}, {"%%", "%%"}, {"", ""}, {"%both%", "volatile"},
      {"%MACHINE%", "C:\\windows\\m"}, {"%Nested%", "C:\\windows\\m\\n"},
  };
  for (const auto& c : cases) {
    std::string expanded = "stale";
    EXPECT_EQ(machine().ExpandEnvironment(c.source, 260, &expanded), strlen(c.expanded) + 1)
        << c.source;
    EXPECT_EQ(expanded, c.expanded);
  }
  std::string expanded = "untouched";  // too small a buffer: the size needed, nothing written
  EXPECT_EQ(machine().ExpandEnvironment("%SystemRoot%", 10, &expanded), 11u);
  EXPECT_EQ(expanded, "untouched");
  EXPECT_EQ(machine().ExpandEnvironment("%SystemRoot%", 11, &expanded), 11u);
  EXPECT_EQ(expanded, "C:\\windows");
}

// Temp: TMP, then TEMP (the user's key before the machine's), then the
// profile, then Windows. The version: the dwords before the string (the
// string alone is the win64 prefix's).
TEST_F(SystemContract, TempFolderWindowsFolderAndVersion) {
  const auto freshWithoutTemp = [this](bool machineToo) {
    UsePrefix(PrefixOptions());
    for (const char* name : {"TMP", "TEMP"}) {
      prefix().RemoveValue(kHkcu, "Environment", name);
      if (machineToo) prefix().RemoveValue(kHklm, kSystemEnvironment, name);
    }
  };
  prefix().SetString(kHkcu, "Environment", "TEMP", "C:\\not\\first\\");
  EXPECT_EQ(Facts(), "C:\\users\\tester\\Temp\\ | C:\\windows | 6.1.7601 Service Pack 1");
  UsePrefix(PrefixOptions());
  prefix().RemoveValue(kHkcu, "Environment", "TMP").RemoveValue(kHklm, kSystemEnvironment, "TMP");
  prefix().SetString(kHkcu, "Environment", "TEMP", "D:\\temp\\");
  prefix().SetDword(kHklm, kWindowsNt, "CurrentMajorVersionNumber", 10);
  prefix().SetDword(kHklm, kWindowsNt, "CurrentMinorVersionNumber", 0);
  prefix().SetString(kHklm, kWindowsNt, "CurrentBuildNumber", "19045");
  EXPECT_EQ(Facts(), "D:\\temp\\ | C:\\windows | 10.0.19045 Service Pack 1");
  freshWithoutTemp(false);
  EXPECT_EQ(Facts(), "C:\\windows\\temp\\ | C:\\windows | 6.1.7601 Service Pack 1");
  freshWithoutTemp(true);
  EXPECT_EQ(Facts(), "C:\\users\\tester\\ | C:\\windows | 6.1.7601 Service Pack 1");
  freshWithoutTemp(true);
  prefix().RemoveValue(kHkcu, "Volatile Environment", "USERPROFILE");
  prefix().SetString(kHklm, kWindowsNt, "SystemRoot", "C:\\WINNT\\");
  EXPECT_EQ(Facts(), "C:\\WINNT\\ | C:\\WINNT | 6.1.7601 Service Pack 1");
}

// The user name is checked by every scenario log's head.
TEST_F(SystemContract, MessagesAndTime) {
  EXPECT_EQ(machine().SystemMessage(183),
            "Cannot create a file when that file already exists.\r\n");
  EXPECT_EQ(machine().SystemMessage(7), "");  // no text: empty
  for (ErrorCode code : {2u, 3u, 5u, 8u, 13u, 18u, 19u, 32u, 38u, 80u, 87u, 112u, 122u, 123u,
                         145u, 206u, 234u, 1921u}) {
    const std::string text = machine().SystemMessage(code);
    EXPECT_TRUE(text.size() > 3 && text.substr(text.size() - 3) == ".\r\n") << code;
  }
  const LocalTime now = machine().Now();
  EXPECT_TRUE(now.year >= 2024 && now.month >= 1 && now.month <= 12);
}

}  // namespace
}  // namespace tpl::test
