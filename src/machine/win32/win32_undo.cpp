// The win32 machine's calls for the undo. ReplaceFileA and MoveFileExA are
// looked up at run time: Windows 95/98 have neither.
#include <windows.h>

#include <memory>

#include "machine/content_digest.h"
#include "machine/win32/win32_handle.h"
#include "machine/win32/win32_machine_parts.h"

namespace tpl {
namespace win32 {
namespace {

ErrorCode LastError() { return static_cast<ErrorCode>(GetLastError()); }

using ReplaceFileCall = BOOL(WINAPI*)(LPCSTR, LPCSTR, LPCSTR, DWORD, LPVOID, LPVOID);
using MoveFileExCall = BOOL(WINAPI*)(LPCSTR, LPCSTR, DWORD);

template <typename Call>
Call Kernel32Call(const char* name) {
  HMODULE kernel = GetModuleHandleA("kernel32.dll");
  return kernel ? reinterpret_cast<Call>(reinterpret_cast<void*>(GetProcAddress(kernel, name)))
                : nullptr;
}

// A free name in the folder of `path`, for a file being written.
std::string TemporaryBeside(const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash);
  char name[MAX_PATH];
  if (GetTempFileNameA(folder.c_str(), "tpl", 0, name) == 0) return "";
  return name;  // made empty by the call; the copy overwrites it
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

ErrorCode CopyNewFile(const std::string& source, const std::string& destination,
                      FileContent* copied) {
  if (!CopyFileA(source.c_str(), destination.c_str(), TRUE)) {
    const ErrorCode error = LastError();
    return error == ERROR_ALREADY_EXISTS ? kErrorFileExists : error;
  }
  return DigestFile(destination, copied);
}

ErrorCode ReplaceKeepingBackup(const std::string& source, const std::string& destination,
                               const std::string& backupPath) {
  const DWORD attributes = GetFileAttributesA(destination.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return CopyFileOver(source, destination);
  if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) return kErrorAccessDenied;

  const std::string temporary = TemporaryBeside(destination);
  if (temporary.empty()) return LastError();
  if (!CopyFileA(source.c_str(), temporary.c_str(), FALSE)) {
    const ErrorCode error = LastError();
    DeleteFileA(temporary.c_str());
    return error;
  }
  static const ReplaceFileCall replace = Kernel32Call<ReplaceFileCall>("ReplaceFileA");
  // ReplaceFile keeps the old file's creation time and permissions, and
  // the old file itself under the backup name.
  if (replace != nullptr && replace(destination.c_str(), temporary.c_str(), backupPath.c_str(),
                                    REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
    return kErrorSuccess;
  }
  if (replace != nullptr && GetLastError() == ERROR_SHARING_VIOLATION) {
    DeleteFileA(temporary.c_str());
    return kErrorSharingViolation;
  }
  // No ReplaceFile (95/98), or a backup on another volume: copy the old file
  // to its backup first, then put the new one in its place.
  ErrorCode error = kErrorSuccess;
  if (GetFileAttributesA(backupPath.c_str()) == INVALID_FILE_ATTRIBUTES &&
      !CopyFileA(destination.c_str(), backupPath.c_str(), TRUE)) {
    error = LastError();
  }
  if (error == kErrorSuccess) error = ReplaceByMove(temporary, destination);
  if (error != kErrorSuccess) DeleteFileA(temporary.c_str());
  return error;
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
