// The win32 machine's calls for the undo (its copies are win32_replace.cpp's).
// MoveFileExA is looked up at run time: Windows 95/98 lack it.
#include <windows.h>

#include <memory>

#include "machine/content_digest.h"
#include "machine/win32/win32_handle.h"
#include "machine/win32/win32_machine_parts.h"

namespace tpl {
namespace win32 {
namespace {

ErrorCode LastError() { return static_cast<ErrorCode>(GetLastError()); }

using MoveFileExCall = BOOL(WINAPI*)(LPCSTR, LPCSTR, DWORD);

template <typename Call>
Call Kernel32Call(const char* name) {
  HMODULE kernel = GetModuleHandleA("kernel32.dll");
  return kernel ? reinterpret_cast<Call>(reinterpret_cast<void*>(GetProcAddress(kernel, name)))
                : nullptr;
}

// `to` replaced by `from`, which goes away; MoveFileExA where there is one.
ErrorCode ReplaceByMove(const std::string& from, const std::string& to) {
  static const MoveFileExCall moveEx = Kernel32Call<MoveFileExCall>("MoveFileExA");
  if (moveEx != nullptr) {
    if (moveEx(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED)) {
      return kErrorSuccess;
    }
    return LastError();
  }
  if (!CopyFileA(from.c_str(), to.c_str(), FALSE)) return LastError();
  DeleteFileA(from.c_str());
  return kErrorSuccess;
}

}  // namespace

ErrorCode QueryFile(const std::string& path, FileInfo* info) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return LastError();
  info->directory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  info->readOnly = (data.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
  info->size = info->directory ? 0 : (uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
  return kErrorSuccess;
}

ErrorCode DigestFile(const std::string& path, FileContent* content) {
  ScopedHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file.valid()) return LastError();
  ContentDigest digest;
  constexpr DWORD kReadBytes = 1 << 18;
  std::unique_ptr<char[]> buffer(new char[kReadBytes]);
  uint64_t size = 0;
  DWORD got = 0;
  do {
    if (!ReadFile(file.get(), buffer.get(), kReadBytes, &got, nullptr)) return LastError();
    digest.Add(buffer.get(), got);
    size += got;
  } while (got > 0);
  content->size = size;
  content->digest = digest.Hex();
  return kErrorSuccess;
}

ErrorCode MoveFileOver(const std::string& from, const std::string& to) {
  const DWORD attributes = GetFileAttributesA(to.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
    SetFileAttributesA(to.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
  }
  return ReplaceByMove(from, to);
}

ErrorCode RemoveFile(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
    SetFileAttributesA(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
  }
  return DeleteFileA(path.c_str()) ? kErrorSuccess : LastError();
}

ErrorCode RemoveFolder(const std::string& path) {
  return RemoveDirectoryA(path.c_str()) ? kErrorSuccess : LastError();
}

ErrorCode OpenAppendFile(const std::string& path, std::unique_ptr<LogWriter>* writer) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
    return kErrorAccessDenied;
  }
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return LastError();
  SetFilePointer(file, 0, nullptr, FILE_END);
  *writer = MakeHandleWriter(file);
  return kErrorSuccess;
}

}  // namespace win32
}  // namespace tpl
