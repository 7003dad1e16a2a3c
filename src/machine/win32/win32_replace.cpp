// CopyFileA(source, destination, FALSE) made whole-or-nothing: the copy is
// written under a temporary name in the destination folder and then moved
// over the final name. Windows 95/98 have no MoveFileExA that works (the
// call exists and fails with 120): there the plain CopyFileA remains.
#include <windows.h>

#include "machine/win32/win32_machine_parts.h"

namespace tpl {
namespace win32 {
namespace {

constexpr DWORD kCallNotImplemented = 120;
constexpr ErrorCode kErrorDirectory = 267;

using MoveFileExCall = BOOL(WINAPI*)(LPCSTR, LPCSTR, DWORD);

ErrorCode LastError() { return static_cast<ErrorCode>(GetLastError()); }

MoveFileExCall FindMoveFileEx() {
  static const MoveFileExCall call = [] {
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    return kernel ? reinterpret_cast<MoveFileExCall>(
                        reinterpret_cast<void*>(GetProcAddress(kernel, "MoveFileExA")))
                  : nullptr;
  }();
  return call;
}

std::string FolderOf(const std::string& path) {
  const size_t separator = path.find_last_of("\\/");
  if (separator == std::string::npos) return ".";
  if (separator == 0 || (separator == 2 && path[1] == ':')) return path.substr(0, separator + 1);
  return path.substr(0, separator);
}

// What CopyFileA would have said of a destination that refuses the move: a
// file open elsewhere is "in use" (32), not the 5 of a refused rename.
ErrorCode ExplainRefusedMove(const std::string& destination, ErrorCode moveError) {
  if (moveError != kErrorAccessDenied) return moveError;
  HANDLE probe = CreateFileA(destination.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
  if (probe == INVALID_HANDLE_VALUE) {
    return GetLastError() == kErrorSharingViolation ? kErrorSharingViolation : moveError;
  }
  CloseHandle(probe);
  return moveError;
}

// The one place where the complete copy takes the final name.
ErrorCode PutInPlace(MoveFileExCall moveFileEx, const std::string& temporary,
                     const std::string& destination) {
  if (moveFileEx(temporary.c_str(), destination.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    return kErrorSuccess;
  }
  return LastError();
}

}  // namespace

ErrorCode CopyFileOver(const std::string& source, const std::string& destination) {
  // Set once the system has said that its MoveFileExA does nothing.
  static bool moveNotImplemented = false;
  const MoveFileExCall moveFileEx = FindMoveFileEx();
  if (moveFileEx == nullptr || moveNotImplemented) {
    return CopyFileA(source.c_str(), destination.c_str(), FALSE) ? kErrorSuccess : LastError();
  }
  // Refused before anything is written, as CopyFileA refuses them.
  const DWORD existing = GetFileAttributesA(destination.c_str());
  if (existing != INVALID_FILE_ATTRIBUTES && (existing & FILE_ATTRIBUTE_REPARSE_POINT) == 0 &&
      (existing & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0) {
    return kErrorAccessDenied;
  }
  if (GetFileAttributesA(source.c_str()) == INVALID_FILE_ATTRIBUTES) return LastError();

  char temporary[MAX_PATH];
  if (GetTempFileNameA(FolderOf(destination).c_str(), "tpl", 0, temporary) == 0) {
    // A missing folder is 267 here; CopyFileA calls it 3.
    const ErrorCode error = LastError();
    return error == kErrorDirectory ? kErrorPathNotFound : error;
  }
  ErrorCode error = CopyFileA(source.c_str(), temporary, FALSE) ? kErrorSuccess : LastError();
  if (error == kErrorSuccess) error = PutInPlace(moveFileEx, temporary, destination);
  if (error == kErrorSuccess) return kErrorSuccess;
  // A copy kept read-only from its source must lose that to be deleted.
  SetFileAttributesA(temporary, FILE_ATTRIBUTE_NORMAL);
  DeleteFileA(temporary);
  if (error == kCallNotImplemented) {
    moveNotImplemented = true;
    return CopyFileA(source.c_str(), destination.c_str(), FALSE) ? kErrorSuccess : LastError();
  }
  return ExplainRefusedMove(destination, error);
}

}  // namespace win32
}  // namespace tpl
