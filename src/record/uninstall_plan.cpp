#include "record/uninstall_plan.h"

#include <map>

#include "machine/ascii_case.h"

namespace tpl {
namespace {

struct PathHistory {
  std::string path;
  std::string installedDigest;  // the last line's
  int firstBackup = 0;
  std::vector<int> lines;
};

UndoAction Decide(Machine& machine, const PathHistory& history, const RecordPlace& place) {
  UndoAction action;
  action.path = history.path;
  action.backup = history.firstBackup;
  action.lines = history.lines;
  FileContent now;
  const ErrorCode error = machine.DigestFile(history.path, &now);
  const bool absent = error == kErrorFileNotFound || error == kErrorPathNotFound;
  if (error != kErrorSuccess && !absent) {
    action.kind = UndoAction::Kind::kKeep;
    action.reason = "it cannot be read";
    return action;
  }
  FileContent original;
  const bool backupThere =
      history.firstBackup != 0 &&
      machine.DigestFile(place.BackupPath(history.firstBackup), &original) == kErrorSuccess;
  if (history.firstBackup != 0 && !backupThere) {
    // Without the original, the installed file is all there is: keep it.
    action.kind = absent ? UndoAction::Kind::kNothing : UndoAction::Kind::kKeep;
    action.reason = "its backup is missing";
    return action;
  }
  if (absent) {
    // Nothing of the user's is in the way of the original.
    action.kind = backupThere ? UndoAction::Kind::kRestore : UndoAction::Kind::kNothing;
  } else if (backupThere && now.digest == original.digest) {
    action.kind = UndoAction::Kind::kNothing;
  } else if (now.digest == history.installedDigest) {
    action.kind = backupThere ? UndoAction::Kind::kRestore : UndoAction::Kind::kRemove;
  } else {
    action.kind = UndoAction::Kind::kKeep;
    action.reason = "changed since it was installed";
  }
  return action;
}

}  // namespace

std::vector<UndoAction> PlanUndo(Machine& machine, const Record& record,
                                 const RecordPlace& place) {
  std::vector<PathHistory> histories;
  std::map<std::string, size_t> index;
  for (size_t i = 0; i < record.files.size(); ++i) {
    const RecordedFile& file = record.files[i];
    const auto [at, fresh] = index.emplace(AsciiLower(file.path), histories.size());
    if (fresh) histories.push_back({file.path, "", 0, {}});
    PathHistory& history = histories[at->second];
    history.installedDigest = file.digest;
    if (history.firstBackup == 0 && file.was == RecordedFile::Was::kBackedUp) {
      history.firstBackup = file.backup;
    }
    history.lines.push_back(record.fileLines[i]);
  }
  std::vector<UndoAction> actions;
  for (const PathHistory& history : histories) actions.push_back(Decide(machine, history, place));
  return actions;
}

}  // namespace tpl
