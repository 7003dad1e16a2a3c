// Where the records live and how one is read back. Records are kept per
// machine below the Common Files folder, one per kit key:
//   <Common Files>\tplsetup\records\<key>.record
//   <Common Files>\tplsetup\records\<key>.backups\<number>
#pragma once

#include <string>
#include <vector>

#include "machine/machine.h"
#include "record/record_format.h"

namespace tpl {

class CWizardDlg;

struct RecordPlace {
  std::string recordsFolder;  // ...\tplsetup\records
  std::string record;         // ...\records\<key>.record
  std::string backups;        // ...\records\<key>.backups
  std::string BackupPath(int number) const { return backups + "\\" + std::to_string(number); }
  std::string ProgramFolder() const;  // ...\tplsetup
};

// The key of the kit in the folder `kitDir` ("" for the current folder):
// the folder's own name, lower-cased. Two kits with the same folder name
// share one key.
std::string KitKeyOf(const std::string& kitDir);

// Whether `key` can name a record (a single file name, lower case).
bool IsValidKitKey(const std::string& key);

// The record's place for `key`, from the machine's Common Files folder; false
// when the registry does not name one.
bool FindRecordPlace(CWizardDlg& wizard, const std::string& key, RecordPlace* place);

struct Record {
  std::vector<RecordedRun> runs;
  std::vector<std::string> folders;      // created folders, in creation order
  std::vector<RecordedFile> files;       // written files, in writing order
  std::vector<int> folderLines, fileLines;  // their line numbers
};

enum class RecordRead { kRead, kMissing, kRefused, kUnreadable };

// Reads the whole record of `key` at `path`. kRefused: a line that cannot be
// vouched for (*badLine is its number, *badText its text); kUnreadable:
// *error holds the read failure.
RecordRead ReadRecord(Machine& machine, const std::string& path, const std::string& key,
                      Record* record, int* badLine, std::string* badText, ErrorCode* error);

// The record's text, whole: its first line and `lines`.
std::string RecordText(const std::vector<std::string>& lines);

}  // namespace tpl
