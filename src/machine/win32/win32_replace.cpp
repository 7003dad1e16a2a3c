// CopyFileA(source, destination, FALSE) made whole-or-nothing: the copy is
// written under a temporary name in the destination folder and then moved
// over the final name (or, keeping a backup, replaced with ReplaceFileA).
// Windows 95/98 have no MoveFileExA that works (the call exists and fails
// with 120) and no ReplaceFileA: there the plain CopyFileA remains.
#include <windows.h>

#include "machine/win32/win32_machine_parts.h"

namespace tpl {
namespace win32 {
namespace {

constexpr DWORD kCallNotImplemented = 120;
constexpr ErrorCode kErrorDirectory = 267;

using MoveFileExCall = BOOL(WINAPI*)(LPCSTR, LPCSTR, DWORD);
using ReplaceFileCall = BOOL(WINAPI*)(LPCSTR, LPCSTR, LPCSTR, DWORD, LPVOID, LPVOID);

ErrorCode LastError() { return static_cast<ErrorCode>(GetLastError()); }

template <typename Call>
Call Kernel32Call(const char* name) {
  HMODULE kernel = GetModuleHandleA("kernel32.dll");
  return kernel ? reinterpret_cast<Call>(reinterpret_cast<void*>(GetProcAddress(kernel, name)))
                : nullptr;
}

// Set once the system has said that its MoveFileExA does nothing.
bool g_moveNotImplemented = false;

MoveFileExCall FindMoveFileEx() {
  static const MoveFileExCall call = Kernel32Call<MoveFileExCall>("MoveFileExA");
  return g_moveNotImplemented ? nullptr : call;
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

// Refused before anything is written, as CopyFileA refuses them.
ErrorCode CheckReplaceable(const std::string& source, const std::string& destination) {
  const DWORD existing = GetFileAttributesA(destination.c_str());
  if (existing != INVALID_FILE_ATTRIBUTES && (existing & FILE_ATTRIBUTE_REPARSE_POINT) == 0 &&
      (existing & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0) {
    return kErrorAccessDenied;
  }
  if (GetFileAttributesA(source.c_str()) == INVALID_FILE_ATTRIBUTES) return LastError();
  return kErrorSuccess;
}

// The whole copy of `source` under a temporary name beside `destination`.
ErrorCode CopyToTemporary(const std::string& source, const std::string& destination,
                          char (&temporary)[MAX_PATH]) {
  if (GetTempFileNameA(FolderOf(destination).c_str(), "tpl", 0, temporary) == 0) {
    // A missing folder is 267 here; CopyFileA calls it 3.
    const ErrorCode error = LastError();
    return error == kErrorDirectory ? kErrorPathNotFound : error;
  }
  return CopyFileA(source.c_str(), temporary, FALSE) ? kErrorSuccess : LastError();
}

void DropTemporary(const char* temporary) {
  // A copy kept read-only from its source must lose that to be deleted.
  SetFileAttributesA(temporary, FILE_ATTRIBUTE_NORMAL);
  DeleteFileA(temporary);
}

ErrorCode PlainCopy(const std::string& source, const std::string& destination, BOOL failIfExists) {
  return CopyFileA(source.c_str(), destination.c_str(), failIfExists) ? kErrorSuccess : LastError();
}

}  // namespace

ErrorCode CopyFileOver(const std::string& source, const std::string& destination) {
  const MoveFileExCall moveFileEx = FindMoveFileEx();
  if (moveFileEx == nullptr) return PlainCopy(source, destination, FALSE);
  ErrorCode error = CheckReplaceable(source, destination);
  if (error != kErrorSuccess) return error;
  char temporary[MAX_PATH];
  error = CopyToTemporary(source, destination, temporary);
  if (error == kErrorSuccess) error = PutInPlace(moveFileEx, temporary, destination);
  if (error == kErrorSuccess) return kErrorSuccess;
  DropTemporary(temporary);
  if (error == kCallNotImplemented) {
    g_moveNotImplemented = true;
    return PlainCopy(source, destination, FALSE);
  }
  return ExplainRefusedMove(destination, error);
}

ErrorCode CopyNewFile(const std::string& source, const std::string& destination,
                      FileContent* copied) {
  if (GetFileAttributesA(destination.c_str()) != INVALID_FILE_ATTRIBUTES) return kErrorFileExists;
  const MoveFileExCall moveFileEx = FindMoveFileEx();
  ErrorCode error = kErrorSuccess;
  char temporary[MAX_PATH] = "";
  if (moveFileEx == nullptr) {
    error = PlainCopy(source, destination, TRUE);
  } else {
    error = CopyToTemporary(source, destination, temporary);
    // Without MOVEFILE_REPLACE_EXISTING: a file made there meanwhile stays.
    if (error == kErrorSuccess && !moveFileEx(temporary, destination.c_str(), 0)) {
      error = LastError();
    }
    if (error != kErrorSuccess) DropTemporary(temporary);
    if (error == kCallNotImplemented) {
      g_moveNotImplemented = true;
      error = PlainCopy(source, destination, TRUE);
    }
  }
  if (error == ERROR_ALREADY_EXISTS) return kErrorFileExists;
  if (error != kErrorSuccess) return error;
  return DigestFile(destination, copied);
}

ErrorCode ReplaceKeepingBackup(const std::string& source, const std::string& destination,
                               const std::string& backupPath) {
  if (GetFileAttributesA(destination.c_str()) == INVALID_FILE_ATTRIBUTES) {
    return CopyFileOver(source, destination);  // nothing to keep
  }
  ErrorCode error = CheckReplaceable(source, destination);
  if (error != kErrorSuccess) return error;
  static const ReplaceFileCall replace = Kernel32Call<ReplaceFileCall>("ReplaceFileA");
  if (replace != nullptr) {
    char temporary[MAX_PATH];
    error = CopyToTemporary(source, destination, temporary);
    // ReplaceFile keeps the old file's creation time and permissions, and
    // the old file itself under the backup name.
    if (error == kErrorSuccess &&
        !replace(destination.c_str(), temporary, backupPath.c_str(),
                 REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
      error = LastError();
    }
    // The old file went to its backup but the new one was not renamed: it
    // still has its temporary name, and takes the final one now.
    if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2 &&
        MoveFileA(temporary, destination.c_str())) {
      return kErrorSuccess;
    }
    if (error == kErrorSuccess) return kErrorSuccess;
    DropTemporary(temporary);
    // A backup folder on another volume is the one refusal worth a copy.
    if (error != ERROR_UNABLE_TO_MOVE_REPLACEMENT && error != ERROR_NOT_SAME_DEVICE) {
      return ExplainRefusedMove(destination, error);
    }
  }
  // Windows 95/98, or a backup on another volume: the old file is copied to
  // its backup first, then replaced as any other.
  error = PlainCopy(destination, backupPath, TRUE);
  if (error != kErrorSuccess) return error;
  return CopyFileOver(source, destination);
}

}  // namespace win32
}  // namespace tpl
