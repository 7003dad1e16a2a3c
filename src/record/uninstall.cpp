#include "record/uninstall.h"

#include <algorithm>
#include <set>

#include "app/command_line.h"
#include "app/wizard_dlg.h"
#include "log/log_time.h"
#include "machine/file_find.h"
#include "record/recorded_destinations.h"
#include "record/uninstall_plan.h"

namespace tpl {
namespace {

const char kProgramName[] = "tplsetup: ";
const char kUninstalling[] = "Uninstalling ";
const char kLogUninstalling[] = "Uninstalling kit %s as recorded in %s";
const char kLogRemovedFile[] = "Removed file: ";
const char kLogRestoredFile[] = "Restored file: ";
const char kLogKeptFile[] = "Kept file (%s): %s";
const char kLogRemovedFolder[] = "Removed folder ";
const char kLogCompleted[] = "Uninstall completed.";
const char kLogIncomplete[] = "Uninstall incomplete: %d files were kept.";
const char kRemoveFailed[] = "Failed to remove file:";
const char kRestoreFailed[] = "Failed to restore file:";
const char kRecordFailed[] = "Failed to write the installation record:";
const char kRecordSuffixNew[] = ".new";

// The system's text for `code` without its line break.
std::string SystemText(Machine& machine, ErrorCode code) {
  std::string text = machine.SystemMessage(code);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  return text;
}

std::string ActionText(const UndoAction& action) {
  switch (action.kind) {
    case UndoAction::Kind::kRemove: return "remove " + action.path;
    case UndoAction::Kind::kRestore: return "restore " + action.path;
    case UndoAction::Kind::kNothing: return "";
    case UndoAction::Kind::kKeep: return "keep " + action.path + " (" + action.reason + ")";
  }
  return "";
}

class UninstallRun {
 public:
  UninstallRun(Machine& machine, FrontEnd& frontEnd, const UninstallRequest& request,
               std::ostream& out, std::ostream& err)
      : wizard_(machine, frontEnd), request_(request), out_(out), err_(err) {}

  int Run();

 private:
  // Reads and checks the record; false with the exit status set.
  bool Load(int* status);
  bool Carry(UndoAction& action);
  void RemoveFolders();
  bool Finish(const std::vector<UndoAction>& kept);
  bool RewriteRecord(const std::vector<UndoAction>& kept);

  CWizardDlg wizard_;
  const UninstallRequest& request_;
  std::ostream& out_;
  std::ostream& err_;
  RecordPlace place_;
  Record record_;
};

bool UninstallRun::Load(int* status) {
  *status = kExitFailed;
  const std::string& key = request_.key;
  int badLine = 0;
  std::string badText;
  ErrorCode error = kErrorSuccess;
  RecordRead read = RecordRead::kMissing;
  if (FindRecordPlace(wizard_, key, &place_)) {
    read = ReadRecord(wizard_.machine(), place_.record, key, &record_, &badLine, &badText, &error);
  }
  if (read == RecordRead::kMissing) {
    err_ << kProgramName << "nothing is recorded for " << key << "\n";
    return false;
  }
  if (read == RecordRead::kUnreadable) {
    err_ << kProgramName << "the record " << place_.record << " cannot be read: ("
         << error << ") " << SystemText(wizard_.machine(), error) << "\n";
    return false;
  }
  if (read == RecordRead::kRead) {
    badLine = FirstLineOutside(record_, RecordedDestinations(wizard_, record_));
    if (badLine != 0) {
      // The line's own text, for the message.
      std::unique_ptr<TextReader> reader;
      if (wizard_.machine().OpenTextFile(place_.record, &reader) == kErrorSuccess) {
        for (int number = 1; number <= badLine && reader->ReadLine(&badText) == kErrorSuccess;
             ++number) {
        }
      }
    }
  }
  if (badLine != 0) {
    err_ << kProgramName << "the record " << place_.record << " is refused, nothing was removed: "
         << "line " << badLine << " cannot be vouched for: " << badText << "\n";
    return false;
  }
  return true;
}

bool UninstallRun::Carry(UndoAction& action) {
  Machine& machine = wizard_.machine();
  if (action.kind == UndoAction::Kind::kRemove) {
    const ErrorCode error = machine.RemoveFile(action.path);
    if (error == kErrorSuccess || error == kErrorFileNotFound) {
      wizard_.LogLine(kLogRemovedFile + action.path);
      return true;
    }
    wizard_.ReportSystemError(kRemoveFailed, action.path, error);
  } else if (action.kind == UndoAction::Kind::kRestore) {
    const ErrorCode error = machine.MoveFileOver(place_.BackupPath(action.backup), action.path);
    if (error == kErrorSuccess) {
      wizard_.LogLine(kLogRestoredFile + action.path);
      action.backup = 0;  // used up
      return true;
    }
    wizard_.ReportSystemError(kRestoreFailed, action.path, error);
  } else if (action.kind == UndoAction::Kind::kNothing) {
    return true;
  }
  if (action.reason.empty()) action.reason = "it could not be undone";
  action.kind = UndoAction::Kind::kKeep;
  wizard_.LogLine(FormatText(kLogKeptFile, action.reason.c_str(), action.path.c_str()));
  return false;
}

void UninstallRun::RemoveFolders() {
  // Deepest first: the folders were recorded as they were made, parents first.
  for (auto folder = record_.folders.rbegin(); folder != record_.folders.rend(); ++folder) {
    if (wizard_.machine().RemoveFolder(*folder) == kErrorSuccess) {
      wizard_.LogLine(kLogRemovedFolder + *folder);
    }
  }
}

bool UninstallRun::RewriteRecord(const std::vector<UndoAction>& kept) {
  std::set<int> keptLines;
  for (const UndoAction& action : kept) keptLines.insert(action.lines.begin(), action.lines.end());
  std::vector<std::string> lines;
  for (const RecordedRun& run : record_.runs) lines.push_back(RunLine(run));
  // Folders left because they were not empty go when a later uninstall empties them.
  Machine& machine = wizard_.machine();
  FileInfo info;
  for (const std::string& folder : record_.folders) {
    if (machine.QueryFile(folder, &info) == kErrorSuccess) lines.push_back(FolderLine(folder));
  }
  for (size_t i = 0; i < record_.files.size(); ++i) {
    if (keptLines.count(record_.fileLines[i]) != 0) lines.push_back(FileLine(record_.files[i]));
  }
  const std::string fresh = place_.record + kRecordSuffixNew;
  machine.RemoveFile(fresh);
  std::unique_ptr<LogWriter> writer;
  ErrorCode error = machine.OpenAppendFile(fresh, &writer);
  if (error == kErrorSuccess) error = writer->Write(RecordText(lines));
  writer.reset();
  if (error == kErrorSuccess) error = machine.MoveFileOver(fresh, place_.record);
  if (error != kErrorSuccess) {
    machine.RemoveFile(fresh);
    wizard_.ReportSystemError(kRecordFailed, place_.record, error);
    return false;
  }
  return true;
}

bool UninstallRun::Finish(const std::vector<UndoAction>& kept) {
  Machine& machine = wizard_.machine();
  std::set<int> keptBackups;
  for (const UndoAction& action : kept) {
    for (size_t i = 0; i < record_.files.size(); ++i) {
      if (std::find(action.lines.begin(), action.lines.end(), record_.fileLines[i]) !=
          action.lines.end()) {
        keptBackups.insert(record_.files[i].backup);
      }
    }
  }
  if (!kept.empty() && !RewriteRecord(kept)) return false;
  for (const RecordedFile& file : record_.files) {
    if (file.backup != 0 && keptBackups.count(file.backup) == 0) {
      machine.RemoveFile(place_.BackupPath(file.backup));
    }
  }
  if (kept.empty()) {
    const ErrorCode error = machine.RemoveFile(place_.record);
    if (error != kErrorSuccess && error != kErrorFileNotFound) {
      wizard_.ReportSystemError(kRemoveFailed, place_.record, error);
      return false;
    }
  }
  machine.RemoveFolder(place_.backups);
  if (machine.RemoveFolder(place_.recordsFolder) == kErrorSuccess) {
    machine.RemoveFolder(place_.ProgramFolder());
  }
  return true;
}

int UninstallRun::Run() {
  int status = kExitFailed;
  if (!Load(&status)) return status;
  std::vector<UndoAction> actions = PlanUndo(wizard_.machine(), record_, place_);

  std::string listing;
  for (const UndoAction& action : actions) {
    const std::string text = ActionText(action);
    if (!text.empty()) listing += "  " + text + "\n";
  }
  for (auto folder = record_.folders.rbegin(); folder != record_.folders.rend(); ++folder) {
    listing += "  remove folder " + *folder + " if empty\n";
  }
  if (request_.dryRun) {
    out_ << "Dry run: uninstalling " << request_.key << " would\n" << listing
         << "Nothing was changed.\n";
    return kExitInstalled;
  }
  const std::string caption = kUninstalling + request_.key;
  if (request_.confirm && !request_.confirm(caption + " will\n" + listing)) return kExitCancelled;

  wizard_.GatherSystemInfo();
  if (request_.log) {
    wizard_.m_bLogEnabled = true;
    wizard_.OpenLog();
  }
  wizard_.LogLine(FormatText(kLogUninstalling, request_.key.c_str(), place_.record.c_str()));
  std::vector<UndoAction> kept;
  {
    std::unique_ptr<UninstallProgress> progress;
    if (request_.showProgress) progress = request_.showProgress(caption);
    const auto counts = [](const UndoAction& action) {
      return action.kind != UndoAction::Kind::kNothing;
    };
    const int total = static_cast<int>(std::count_if(actions.begin(), actions.end(), counts));
    int done = 0;
    for (UndoAction& action : actions) {
      const bool counted = counts(action);
      if (!Carry(action)) kept.push_back(action);
      if (progress && counted) progress->Update(++done, total);
    }
  }
  // After the progress display has ended, so that a terminal's bar and the
  // list do not share a line.
  for (const UndoAction& action : kept) {
    out_ << "Kept " << action.path << " (" << action.reason << ")\n";
  }
  RemoveFolders();
  const bool finished = Finish(kept);
  if (kept.empty() && finished) {
    wizard_.LogLine(kLogCompleted);
    out_ << "Uninstalled " << request_.key << ".\n";
  } else {
    wizard_.LogLine(FormatText(kLogIncomplete, static_cast<int>(kept.size())));
    out_ << "Uninstalled " << request_.key << " except " << kept.size()
         << (kept.size() == 1 ? " file" : " files") << " kept.\n";
  }
  wizard_.CloseLog();
  return kept.empty() && finished ? kExitInstalled : kExitFailed;
}

}  // namespace

int Uninstall(Machine& machine, FrontEnd& frontEnd, const UninstallRequest& request,
              std::ostream& out, std::ostream& err) {
  UninstallRun run(machine, frontEnd, request, out, err);
  return run.Run();
}

int ListInstalled(Machine& machine, FrontEnd& frontEnd, std::ostream& out, std::ostream& err) {
  CWizardDlg wizard(machine, frontEnd);
  RecordPlace place;
  if (!FindRecordPlace(wizard, "x", &place)) return kExitInstalled;
  CFileFind finder(machine);
  bool more = finder.FindFile(place.recordsFolder + "\\*.record");
  std::vector<std::string> keys;
  while (more) {
    more = finder.FindNextFile();
    if (finder.IsDirectory()) continue;
    const std::string name = finder.GetFileName();
    keys.push_back(name.substr(0, name.size() - 7));
  }
  std::sort(keys.begin(), keys.end());
  int status = kExitInstalled;
  for (const std::string& key : keys) {
    FindRecordPlace(wizard, key, &place);
    Record record;
    int badLine = 0;
    std::string badText;
    ErrorCode error = kErrorSuccess;
    if (ReadRecord(machine, place.record, key, &record, &badLine, &badText, &error) !=
            RecordRead::kRead ||
        record.runs.empty()) {
      err << kProgramName << "the record " << place.record << " cannot be read\n";
      status = kExitFailed;
      continue;
    }
    std::vector<std::string> versions;
    for (const RecordedRun& run : record.runs) {
      if (std::find(versions.begin(), versions.end(), VersionName(run.version)) == versions.end()) {
        versions.push_back(VersionName(run.version));
      }
    }
    std::string joined;
    for (const std::string& version : versions) joined += (joined.empty() ? "" : ",") + version;
    std::set<std::string> paths;
    for (const RecordedFile& file : record.files) paths.insert(file.path);
    const RecordedRun& last = record.runs.back();
    out << key << "  " << last.date << " " << last.time << "  FrontPage " << joined << "  "
        << paths.size() << (paths.size() == 1 ? " file" : " files") << "\n";
  }
  return status;
}

}  // namespace tpl
