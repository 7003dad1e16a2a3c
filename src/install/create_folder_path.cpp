// Creating a folder together with every missing folder above it.
#include "app/wizard_dlg.h"
#include "install/copy_texts.h"
#include "machine/file_find.h"
#include "record/install_recorder.h"

namespace tpl {
namespace {

bool IsFolder(Machine& machine, const std::string& path) {
  CFileFind finder(machine);
  if (!finder.FindFile(path)) return false;
  finder.FindNextFile();
  return finder.IsDirectory();
}

}  // namespace

bool CWizardDlg::CreateFolderPath(std::string strPath) {
  // Only a folder will do: a file of that name goes on to the creation below,
  // which fails and tells why.
  if (IsFolder(machine(), strPath)) return true;

  // The parent ends at the last backslash after the first character; a bare
  // drive ("C:") has none, and cannot be created.
  size_t n = strPath.size();
  if (n <= 1) return false;
  --n;
  while (n >= 1 && strPath[n] != '\\') --n;
  if (n == 0) return false;
  if (!CreateFolderPath(strPath.substr(0, n))) return false;

  const ErrorCode error = machine().MakeDirectory(strPath);
  if (error == kErrorAlreadyExists && IsFolder(machine(), strPath)) {
    return true;  // made meanwhile by someone else: there, but not ours to log
  }
  if (error != kErrorSuccess) {
    ReportSystemError(kCreateFolderFailed, strPath, error);
    return false;
  }
  LogLine(kCreatedFolderLine + strPath);
  if (m_pRecorder) m_pRecorder->FolderCreated(strPath);
  return true;
}

}  // namespace tpl
