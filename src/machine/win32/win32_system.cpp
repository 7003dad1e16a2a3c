#include <windows.h>

#include <vector>

#include "machine/win32/win32_machine_parts.h"

namespace tpl {
namespace win32 {
namespace {

ErrorCode LastError() { return static_cast<ErrorCode>(GetLastError()); }

constexpr DWORD kUserLanguage = 0x0400;  // MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT)
constexpr DWORD kUserNameSize = 257;     // UNLEN + 1

// Fills a path buffer from a call that returns the length it needs when the
// buffer is too small (GetWindowsDirectoryA, GetTempPathA).
template <typename Call>
ErrorCode ReadPath(Call call, std::string* path) {
  std::vector<char> buffer(MAX_PATH + 1);
  DWORD length = call(buffer.data(), static_cast<DWORD>(buffer.size()));
  if (length >= buffer.size()) {
    buffer.resize(length + 1);
    length = call(buffer.data(), static_cast<DWORD>(buffer.size()));
  }
  if (length == 0 || length >= buffer.size()) return LastError();
  path->assign(buffer.data(), length);
  return kErrorSuccess;
}

}  // namespace

std::string SystemMessage(ErrorCode code) {
  // The system allocates the buffer, so the whole text fits whatever its
  // length (a fixed buffer has a limit of its own, lower under Wine).
  char* text = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ALLOCATE_BUFFER,
      nullptr, code, kUserLanguage, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string message = text != nullptr ? std::string(text, length) : std::string();
  if (text != nullptr) LocalFree(text);
  return message;
}

ErrorCode OsVersion(OsVersionInfo* info) {
  OSVERSIONINFOA version;
  ZeroMemory(&version, sizeof version);
  version.dwOSVersionInfoSize = sizeof version;  // 148
  if (!GetVersionExA(&version)) return LastError();
  info->platformId = version.dwPlatformId;
  info->majorVersion = version.dwMajorVersion;
  info->minorVersion = version.dwMinorVersion;
  info->buildNumber = version.dwBuildNumber;
  info->csdVersion = version.szCSDVersion;
  return kErrorSuccess;
}

ErrorCode UserName(std::string* name) {
  char buffer[kUserNameSize] = {};
  DWORD size = kUserNameSize;
  name->clear();
  if (!GetUserNameA(buffer, &size)) return LastError();
  name->assign(buffer);
  return kErrorSuccess;
}

ErrorCode WindowsFolder(std::string* path) {
  return ReadPath([](char* buffer, DWORD size) { return GetWindowsDirectoryA(buffer, size); },
                  path);
}

ErrorCode TempPath(std::string* path) {
  return ReadPath([](char* buffer, DWORD size) { return GetTempPathA(size, buffer); }, path);
}

LocalTime Now() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  LocalTime time;
  time.year = now.wYear;
  time.month = now.wMonth;
  time.day = now.wDay;
  time.hour = now.wHour;
  time.minute = now.wMinute;
  time.second = now.wSecond;
  return time;
}

void Pause(uint32_t milliseconds) { Sleep(milliseconds); }

}  // namespace win32
}  // namespace tpl
