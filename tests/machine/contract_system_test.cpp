// Registry, environment and system facts, on every machine.
#include <unistd.h>

#include "machine_contract.h"

namespace tpl::test {
namespace {

const char* const kCurrentVersion = "Software\\Microsoft\\Windows\\CurrentVersion";
const char* const kWindowsNt = "Software\\Microsoft\\Windows NT\\CurrentVersion";
const char* const kSystemEnvironment =
    "System\\CurrentControlSet\\Control\\Session Manager\\Environment";

class SystemContract : public MachineContract {
 protected:
  // A value as "type:data" (data without its terminator), or "error N".
  std::string Value(RegRoot root, const std::string& key, const std::string& name,
                    size_t bufferSize = 260) {
    std::unique_ptr<RegistryKey> opened;
    ErrorCode error = machine().OpenRegistryKey(root, key, &opened);
    if (error != kErrorSuccess) return "error " + std::to_string(error);
    uint32_t type = 99;
    std::string data = "stale";
    error = opened->QueryValue(name, bufferSize, &type, &data);
    if (error != kErrorSuccess) return "error " + std::to_string(error) + " type " + std::to_string(type);
    if (type == kRegSz || type == kRegExpandSz) data = data.substr(0, data.find('\0'));
    return std::to_string(type) + ":" + data;
  }

  std::string Expand(const std::string& source) {
    std::string expanded = "stale";
    const uint32_t size = machine().ExpandEnvironment(source, 260, &expanded);
    EXPECT_EQ(size, expanded.size() + 1) << source;
    return expanded;
  }

  std::string Temp() {
    std::string path;
    EXPECT_EQ(machine().TempPath(&path), kErrorSuccess);
    return path;
  }

  OsVersionInfo Version() {
    OsVersionInfo info;
    EXPECT_EQ(machine().OsVersion(&info), kErrorSuccess);
    return info;
  }
};
TPL_INSTANTIATE_MACHINE_CONTRACT(SystemContract);

TEST_P(SystemContract, ValuesOfEachTypeAndTheirFailures) {
  prefix().SetExpandString(RegRoot::kLocalMachine, "Software\\Test", "Expand", "%SystemRoot%\\x");
  prefix().SetDword(RegRoot::kLocalMachine, "Software\\Test", "Number", 0x2a);
  EXPECT_EQ(Value(RegRoot::kLocalMachine, kCurrentVersion, "commonfilesdir"),
            "1:C:\\Program Files\\Common Files");
  EXPECT_EQ(Value(RegRoot::kLocalMachine, "SOFTWARE\\test", "Expand"), "2:%SystemRoot%\\x");
  EXPECT_EQ(Value(RegRoot::kLocalMachine, "Software\\Test", "Number"), std::string("4:*\0\0\0", 6));
  EXPECT_EQ(Value(RegRoot::kLocalMachine, "Software\\Test", "Missing"), "error 2 type 99");
  EXPECT_EQ(Value(RegRoot::kLocalMachine, "Software\\NoSuchKey", "x"), "error 2");
  // Keys written only as parents of others still open.
  EXPECT_EQ(Value(RegRoot::kLocalMachine, "Software\\Microsoft", "x"), "error 2 type 99");
}

TEST_P(SystemContract, BufferSizeDecidesMoreData) {
  prefix().SetString(RegRoot::kCurrentUser, "Software\\Test", "Fits", std::string(259, 'a'));
  prefix().SetString(RegRoot::kCurrentUser, "Software\\Test", "TooLong", std::string(260, 'b'));
  EXPECT_EQ(Value(RegRoot::kCurrentUser, "Software\\Test", "Fits"), "1:" + std::string(259, 'a'));
  EXPECT_EQ(Value(RegRoot::kCurrentUser, "Software\\Test", "TooLong"), "error 234 type 1");
}

TEST_P(SystemContract, Win64PrefixReadsThe32BitView) {
  UsePrefix(PrefixOptions{true});
  prefix().SetNativeString(RegRoot::kLocalMachine, "Software\\OnlyNative", "x", "64-bit");
  prefix().SetNativeString(RegRoot::kCurrentUser, "Software\\UserKey", "x", "user");
  EXPECT_EQ(Value(RegRoot::kLocalMachine, kCurrentVersion, "CommonFilesDir"),
            "1:C:\\Program Files (x86)\\Common Files");
  EXPECT_EQ(Value(RegRoot::kLocalMachine, "Software\\OnlyNative", "x"), "error 2");  // no fallback
  EXPECT_EQ(Value(RegRoot::kCurrentUser, "Software\\UserKey", "x"), "1:user");    // HKCU as is
  EXPECT_EQ(Value(RegRoot::kLocalMachine, kSystemEnvironment, "windir"), "1:C:\\windows");
}

TEST_P(SystemContract, UnreadableHiveIsAccessDenied) {
  machine();  // writes the registry files
  unlink((prefix().root() + "/system.reg").c_str());
  MakeHostFolders(prefix().root() + "/system.reg");  // a folder cannot be read as a file
  EXPECT_EQ(Value(RegRoot::kLocalMachine, kCurrentVersion, "CommonFilesDir"), "error 5");
  EXPECT_EQ(Value(RegRoot::kCurrentUser, "Environment", "TEMP"),
            "1:C:\\users\\tester\\Temp");
}

TEST_P(SystemContract, FileThatIsNoRegistryWarnsOnceAndHasNoKeys) {
  machine();
  WriteHostFile(prefix().root() + "/user.reg", "this is not a registry\n[Software\\X]\n");
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(Value(RegRoot::kCurrentUser, "Software\\X", "v"), "error 2");
  EXPECT_EQ(Value(RegRoot::kCurrentUser, "Environment", "TEMP"), "error 2");
  const std::string warnings = ::testing::internal::GetCapturedStderr();
  const std::string file = prefix().root() + "/user.reg";
  ASSERT_NE(warnings.find(file), std::string::npos) << warnings;
  EXPECT_EQ(warnings.find(file, warnings.find(file) + 1), std::string::npos) << warnings;
}

TEST_P(SystemContract, EnvironmentExpansion) {
  EXPECT_EQ(Expand("%TEMP%\\tplsetup.log"), "C:\\users\\tester\\Temp\\tplsetup.log");
  EXPECT_EQ(Expand("%temp%"), "C:\\users\\tester\\Temp");
  EXPECT_EQ(Expand("%SystemRoot%;%WINDIR%"), "C:\\windows;C:\\windows");
  EXPECT_EQ(Expand("%APPDATA%"), "C:\\users\\tester\\AppData\\Roaming");
  EXPECT_EQ(Expand("%NoSuchVar%\\x"), "%NoSuchVar%\\x");
  EXPECT_EQ(Expand("100% sure"), "100% sure");
  EXPECT_EQ(Expand("%%"), "%%");
  EXPECT_EQ(Expand(""), "");
}

TEST_P(SystemContract, ExpansionIntoSmallBuffer) {
  std::string expanded = "untouched";
  EXPECT_EQ(machine().ExpandEnvironment("%SystemRoot%", 10, &expanded), 11u);
  EXPECT_EQ(expanded, "untouched");
  EXPECT_EQ(machine().ExpandEnvironment("%SystemRoot%", 11, &expanded), 11u);
  EXPECT_EQ(expanded, "C:\\windows");
}

TEST_P(SystemContract, LaterEnvironmentKeysOverrideAndExpandableValuesExpand) {
  prefix().SetExpandString(RegRoot::kLocalMachine, kSystemEnvironment, "Both", "%SystemRoot%\\m");
  prefix().SetString(RegRoot::kCurrentUser, "Environment", "Both", "user");
  prefix().SetString(RegRoot::kCurrentUser, "Volatile Environment", "Both", "volatile");
  prefix().SetExpandString(RegRoot::kLocalMachine, kSystemEnvironment, "Machine", "%windir%\\m");
  prefix().SetExpandString(RegRoot::kCurrentUser, "Environment", "Nested", "%Machine%\\n");
  EXPECT_EQ(Expand("%both%"), "volatile");
  EXPECT_EQ(Expand("%MACHINE%"), "C:\\windows\\m");
  EXPECT_EQ(Expand("%Nested%"), "C:\\windows\\m\\n");
}

TEST_P(SystemContract, TempPathChoosesTmpThenTempThenProfileThenWindows) {
  EXPECT_EQ(Temp(), "C:\\users\\tester\\Temp\\");
}

TEST_P(SystemContract, TempPathFromTemp) {
  prefix().RemoveValue(RegRoot::kCurrentUser, "Environment", "TMP");
  prefix().RemoveValue(RegRoot::kLocalMachine, kSystemEnvironment, "TMP");
  prefix().SetString(RegRoot::kCurrentUser, "Environment", "TEMP", "D:\\temp\\");
  EXPECT_EQ(Temp(), "D:\\temp\\");
}

TEST_P(SystemContract, TempPathFromMachineKeyIsExpanded) {
  prefix().RemoveValue(RegRoot::kCurrentUser, "Environment", "TMP");
  prefix().RemoveValue(RegRoot::kCurrentUser, "Environment", "TEMP");
  EXPECT_EQ(Temp(), "C:\\windows\\temp\\");
}

TEST_P(SystemContract, TempPathFromUserProfileThenWindowsFolder) {
  for (const char* name : {"TMP", "TEMP"}) {
    prefix().RemoveValue(RegRoot::kCurrentUser, "Environment", name);
    prefix().RemoveValue(RegRoot::kLocalMachine, kSystemEnvironment, name);
  }
  EXPECT_EQ(Temp(), "C:\\users\\tester\\");
}

TEST_P(SystemContract, TempPathLastResortIsWindowsFolder) {
  for (const char* name : {"TMP", "TEMP"}) {
    prefix().RemoveValue(RegRoot::kCurrentUser, "Environment", name);
    prefix().RemoveValue(RegRoot::kLocalMachine, kSystemEnvironment, name);
  }
  prefix().RemoveValue(RegRoot::kCurrentUser, "Volatile Environment", "USERPROFILE");
  prefix().SetString(RegRoot::kLocalMachine, kWindowsNt, "SystemRoot", "C:\\WINNT\\");
  EXPECT_EQ(Temp(), "C:\\WINNT\\");
  std::string folder;
  ASSERT_EQ(machine().WindowsFolder(&folder), kErrorSuccess);
  EXPECT_EQ(folder, "C:\\WINNT");
}

TEST_P(SystemContract, VersionFromDwordsBeforeString) {
  prefix().SetDword(RegRoot::kLocalMachine, kWindowsNt, "CurrentMajorVersionNumber", 10);
  prefix().SetDword(RegRoot::kLocalMachine, kWindowsNt, "CurrentMinorVersionNumber", 0);
  prefix().SetString(RegRoot::kLocalMachine, kWindowsNt, "CurrentBuildNumber", "19045");
  const OsVersionInfo info = Version();
  EXPECT_EQ(info.platformId, 2u);
  EXPECT_EQ(info.majorVersion, 10u);
  EXPECT_EQ(info.minorVersion, 0u);
  EXPECT_EQ(info.buildNumber, 19045u);
  EXPECT_EQ(info.csdVersion, "Service Pack 1");
}

TEST_P(SystemContract, VersionFromStringWithoutDwords) {
  prefix().RemoveValue(RegRoot::kLocalMachine, kWindowsNt, "CurrentMajorVersionNumber");
  prefix().RemoveValue(RegRoot::kLocalMachine, kWindowsNt, "CurrentMinorVersionNumber");
  prefix().SetString(RegRoot::kLocalMachine, kWindowsNt, "CurrentVersion", "5.1");
  prefix().SetString(RegRoot::kLocalMachine, kWindowsNt, "CSDVersion", "Service Pack 3");
  prefix().SetString(RegRoot::kLocalMachine, kWindowsNt, "CurrentBuildNumber", "2600");
  const OsVersionInfo info = Version();
  EXPECT_EQ(info.majorVersion, 5u);
  EXPECT_EQ(info.minorVersion, 1u);
  EXPECT_EQ(info.buildNumber, 2600u);
  EXPECT_EQ(info.csdVersion, "Service Pack 3");
}

TEST_P(SystemContract, Win64PrefixVersionComesFromTheString) {
  UsePrefix(PrefixOptions{true});
  const OsVersionInfo info = Version();
  EXPECT_EQ(info.majorVersion, 6u);
  EXPECT_EQ(info.minorVersion, 1u);
  EXPECT_EQ(info.buildNumber, 7601u);
}

TEST_P(SystemContract, UserNameWindowsFolderAndMessages) {
  std::string text;
  ASSERT_EQ(machine().UserName(&text), kErrorSuccess);
  EXPECT_EQ(text, "tester");
  ASSERT_EQ(machine().WindowsFolder(&text), kErrorSuccess);
  EXPECT_EQ(text, "C:\\windows");
  EXPECT_EQ(machine().SystemMessage(2), "The system cannot find the file specified.\r\n");
  EXPECT_EQ(machine().SystemMessage(183),
            "Cannot create a file when that file already exists.\r\n");
  EXPECT_EQ(machine().SystemMessage(123456), "");
  const LocalTime now = machine().Now();
  EXPECT_GE(now.year, 2024);
  EXPECT_TRUE(now.month >= 1 && now.month <= 12);
}

}  // namespace
}  // namespace tpl::test
