#include "record/install_recorder.h"

#include <map>

#include "app/wizard_dlg.h"
#include "host/host_text.h"
#include "install/copy_plan.h"
#include "install/install_session.h"
#include "log/log_time.h"
#include "machine/content_digest.h"
#include "machine/file_find.h"

namespace tpl {
namespace {

const char kRecordFailed[] = "Failed to write the installation record:";

// The kit's file list below the folder *path (relative to the kit), as the
// counting walk saw it, appended to *list one path and "\n" each: the
// searches are answered from its memory. Each entry's path is built in
// *path itself, which holds the folder again on return.
void AddFileList(Machine& searches, std::string* path, std::string* list, int depth) {
  constexpr int kDeepest = 64;  // a linked folder leading back stops here
  if (depth > kDeepest) return;
  const size_t folderSize = path->size();
  CFileFind finder(searches);
  bool more = finder.FindFile(path->append("\\*.*"));
  while (more) {
    more = finder.FindNextFile();
    if (finder.IsDots()) continue;
    path->resize(folderSize);
    path->append(1, '\\').append(finder.GetFileName());
    if (finder.IsDirectory()) {
      AddFileList(searches, path, list, depth + 1);
    } else {
      list->append(*path).append(1, '\n');
    }
  }
  path->resize(folderSize);
}

}  // namespace

InstallRecorder::InstallRecorder(Machine& machine, RecordPlace place, std::string key)
    : machine_(machine), place_(std::move(place)), key_(std::move(key)) {}

ErrorCode InstallRecorder::MakeFolder(const std::string& path) {
  ErrorCode error = machine_.MakeDirectory(path);
  const size_t parent = path.find_last_of('\\');
  if (error == kErrorPathNotFound && parent != std::string::npos && parent > 2) {
    // A Common Files folder the registry names but nobody made yet.
    error = MakeFolder(path.substr(0, parent));
    if (error == kErrorSuccess) error = machine_.MakeDirectory(path);
  }
  return error == kErrorAlreadyExists ? kErrorSuccess : error;
}

ErrorCode InstallRecorder::BeginRun(RecordedRun run) {
  if (!out_) {
    Record earlier;
    int badLine = 0;
    std::string badText;
    ErrorCode error = kErrorSuccess;
    const RecordRead read =
        ReadRecord(machine_, place_.record, key_, &earlier, &badLine, &badText, &error);
    // A damaged record is extended all the same: the uninstall refuses it
    // and names the line, and nothing of this run goes unrecorded.
    for (const RecordedFile& file : earlier.files) {
      installed_.Note(file.path, file.digest);
      if (file.backup > lastBackup_) lastBackup_ = file.backup;
    }
    error = MakeFolder(place_.ProgramFolder());
    if (error == kErrorSuccess) error = MakeFolder(place_.recordsFolder);
    if (error == kErrorSuccess) error = machine_.OpenAppendFile(place_.record, &out_);
    if (error != kErrorSuccess) return error;
    if (read == RecordRead::kMissing) {
      error = out_->Write(std::string(kRecordFirstLine) + "\n");
      if (error != kErrorSuccess) return error;
    }
  }
  run.kitKey = key_;
  std::string line = RunLine(run);
  return Append(&line);
}

ErrorCode InstallRecorder::Append(std::string* line) {
  if (!out_) return kErrorInvalidParameter;
  line->push_back('\n');
  ErrorCode error = out_->Write(*line);
  if (error == kErrorSuccess) error = out_->Flush();
  return error;
}

void InstallRecorder::FolderCreated(const std::string& path) {
  std::string line = FolderLine(path);
  Append(&line);
}

ErrorCode InstallRecorder::NextBackup(std::string* path, int* number) {
  if (!backupsReady_) {
    const ErrorCode error = MakeFolder(place_.backups);
    if (error != kErrorSuccess) return error;
    backupsReady_ = true;
  }
  // A stray file of that name (a record lost meanwhile) is left alone.
  FileInfo info;
  do {
    *number = ++lastBackup_;
    *path = place_.BackupPath(*number);
  } while (machine_.QueryFile(*path, &info) == kErrorSuccess);
  return kErrorSuccess;
}

ErrorCode InstallRecorder::CopyFile(const std::string& source, const std::string& destination) {
  RecordedFile& file = file_;
  file.was = RecordedFile::Was::kNew;
  file.backup = 0;
  file.path = destination;
  FileContent& content = copiedContent_;
  // Most files are new: copied and digested in one pass, recorded like the
  // log records them, once written.
  ErrorCode error = machine_.CopyNewFile(source, destination, &content);
  if (error == kErrorSuccess) {
    file.size = content.size;
    file.digest = content.digest;
    installed_.Note(destination, file.digest);
    copied_ = true;
    WriteFileLine(file, &line_);
    return Append(&line_);
  }
  if (error != kErrorFileExists) return error;

  // A replacement is recorded before the file it replaces is touched. A
  // source that cannot be read is the copy's failure, with the same codes.
  error = machine_.DigestFile(source, &content);
  if (error != kErrorSuccess) return error;
  file.size = content.size;
  file.digest = content.digest;
  FileInfo existing;
  const bool replaces = machine_.QueryFile(destination, &existing) == kErrorSuccess;
  // What the copy refuses before writing anything is refused unrecorded.
  if (replaces && (existing.directory || existing.readOnly)) {
    return machine_.CopyFileOver(source, destination);
  }
  std::string backupPath;
  if (replaces) {
    file.was = RecordedFile::Was::kBackedUp;
    const std::string_view installed = installed_.Last(destination);
    FileContent now;
    if (!installed.empty() && machine_.DigestFile(destination, &now) == kErrorSuccess &&
        now.digest == installed) {
      file.was = RecordedFile::Was::kOwnCopy;  // this kit's own, unchanged: nothing to keep
    } else {
      error = NextBackup(&backupPath, &file.backup);
      if (error != kErrorSuccess) return error;
    }
  }

  WriteFileLine(file, &line_);
  error = Append(&line_);
  if (error != kErrorSuccess) return error;
  error = backupPath.empty() ? machine_.CopyFileOver(source, destination)
                             : machine_.ReplaceKeepingBackup(source, destination, backupPath);
  if (error == kErrorSuccess) {
    installed_.Note(destination, file.digest);
    copied_ = true;
  }
  return error;
}

bool BeginRecordedRun(CWizardDlg& wizard) {
  if (wizard.m_strKitKey.empty()) return true;
  if (!wizard.m_pRecorder) {
    RecordPlace place;
    // Without a Common Files folder there is nowhere to keep a record.
    if (!FindRecordPlace(wizard, wizard.m_strKitKey, &place)) return true;
    wizard.m_pRecorder =
        std::make_unique<InstallRecorder>(wizard.machine(), place, wizard.m_strKitKey);
  }

  RecordedRun run;
  const LocalTime now = wizard.machine().Now();
  run.date = FormatText("%04d-%02d-%02d", now.year, now.month, now.day);
  run.time = FormatText("%02d:%02d:%02d", now.hour, now.minute, now.second);
  run.version = wizard.m_nHostVersion;
  run.language = wizard.m_strLanguage.empty() ? "-" : wizard.m_strLanguage;
  ContentDigest list;
  Machine& searches = wizard.m_pInstallSession != nullptr ? wizard.m_pInstallSession->kitSearches
                                                          : wizard.machine();
  // A kit folder that goes to several destinations is listed once.
  std::map<std::string, std::string> fileLists;
  std::string path;
  for (const CopyPlanRow& row : CopyPlanFor(wizard)) {
    list.Add(row.source + "\n");
    const auto [files, isNew] = fileLists.try_emplace(row.source);
    if (isNew) {
      path = row.source;
      AddFileList(searches, &path, &files->second, 0);
    }
    list.Add(files->second);
  }
  run.listDigest = list.Hex();

  const ErrorCode error = wizard.m_pRecorder->BeginRun(run);
  if (error != kErrorSuccess) {
    wizard.ReportSystemError(kRecordFailed, wizard.m_pRecorder->key(), error);
    return false;
  }
  return true;
}

}  // namespace tpl
