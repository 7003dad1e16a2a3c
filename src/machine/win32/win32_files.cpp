#include <windows.h>

#include "machine/win32/win32_handle.h"
#include "machine/win32/win32_machine_parts.h"

namespace tpl {
namespace win32 {
namespace {

ErrorCode LastError() { return static_cast<ErrorCode>(GetLastError()); }

FindData ToFindData(const WIN32_FIND_DATAA& found) {
  FindData entry;
  entry.name = found.cFileName;
  entry.directory = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  entry.readOnly = (found.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
  entry.reparsePoint = (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
  return entry;
}

void AppendHex(uint32_t value, std::string* out) {
  static const char kDigits[] = "0123456789abcdef";
  for (int shift = 28; shift >= 0; shift -= 4) out->push_back(kDigits[(value >> shift) & 0xF]);
}

}  // namespace

ErrorCode FindFiles(const std::string& pattern, std::vector<FindData>* entries) {
  entries->clear();
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return LastError();
  ErrorCode status = kErrorSuccess;
  do {
    entries->push_back(ToFindData(found));
  } while (FindNextFileA(search, &found));
  const ErrorCode ended = LastError();
  if (ended != kErrorNoMoreFiles) status = ended;
  FindClose(search);
  return status;
}

ErrorCode MakeDirectory(const std::string& path) {
  return CreateDirectoryA(path.c_str(), nullptr) ? kErrorSuccess : LastError();
}

ErrorCode FolderIdentity(const std::string& path, std::string* identity) {
  // Backup semantics is what lets CreateFileA open a folder.
  ScopedHandle folder(CreateFileA(path.c_str(), 0,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!folder.valid()) return LastError();
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(folder.get(), &info)) return LastError();
  identity->clear();
  AppendHex(info.dwVolumeSerialNumber, identity);
  identity->push_back(':');
  AppendHex(info.nFileIndexHigh, identity);
  AppendHex(info.nFileIndexLow, identity);
  return kErrorSuccess;
}

ErrorCode CheckInsideCurrentFolder(const std::string& path) {
  // Any reparse point (link, junction, mount point) may lead anywhere.
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return LastError();
  return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 ? kErrorAccessDenied : kErrorSuccess;
}

}  // namespace win32
}  // namespace tpl
