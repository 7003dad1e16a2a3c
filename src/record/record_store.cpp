#include "record/record_store.h"

#include <filesystem>
#include <system_error>

#include "app/wizard_dlg.h"
#include "host/registry_keys.h"
#include "machine/ascii_case.h"

namespace tpl {
namespace {

const char kProgramFolder[] = "\\tplsetup";
const char kRecordsFolder[] = "\\records";
const char kRecordSuffix[] = ".record";
const char kBackupsSuffix[] = ".backups";

}  // namespace

std::string RecordPlace::ProgramFolder() const {
  return recordsFolder.substr(0, recordsFolder.size() - (sizeof kRecordsFolder - 1));
}

std::string KitKeyOf(const std::string& kitDir) {
  namespace fs = std::filesystem;
  std::error_code error;
  fs::path folder = kitDir.empty() ? fs::current_path(error) : fs::absolute(kitDir, error);
  folder = folder.lexically_normal();
  if (!folder.has_filename()) folder = folder.parent_path();  // "kit/" names "kit"
  return AsciiLower(folder.filename().string());
}

bool IsValidKitKey(const std::string& key) {
  RecordedRun probe;
  probe.date = "2000-01-01";
  probe.time = "00:00:00";
  probe.language = "-";
  probe.listDigest = std::string(32, '0');
  probe.kitKey = key;
  return ParseRecordLine(RunLine(probe)).kind == RecordLine::Kind::kRun;
}

bool FindRecordPlace(CWizardDlg& wizard, const std::string& key, RecordPlace* place) {
  std::string commonFiles;
  if (!wizard.ReadRegistryValue(g_strRegCurrentVersion, g_strValCommonFilesDir, commonFiles,
                                kHiveLocalMachine) ||
      commonFiles.empty()) {
    return false;
  }
  if (commonFiles.back() == '\\') commonFiles.pop_back();
  place->recordsFolder = commonFiles + kProgramFolder + kRecordsFolder;
  place->record = place->recordsFolder + "\\" + key + kRecordSuffix;
  place->backups = place->recordsFolder + "\\" + key + kBackupsSuffix;
  return true;
}

RecordRead ReadRecord(Machine& machine, const std::string& path, const std::string& key,
                      Record* record, int* badLine, std::string* badText, ErrorCode* error) {
  *record = Record();
  std::unique_ptr<TextReader> reader;
  *error = machine.OpenTextFile(path, &reader);
  if (*error == kErrorFileNotFound || *error == kErrorPathNotFound) return RecordRead::kMissing;
  if (*error != kErrorSuccess) return RecordRead::kUnreadable;

  std::string line;
  for (int number = 1;; ++number) {
    *error = reader->ReadLine(&line);
    if (*error == kErrorHandleEof) {
      *error = kErrorSuccess;
      if (number > 1) return RecordRead::kRead;
      *badLine = 1;  // an empty file is a record cut short
      badText->clear();
      return RecordRead::kRefused;
    }
    if (*error != kErrorSuccess) return RecordRead::kUnreadable;

    bool good = false;
    if (number == 1) {
      good = line == kRecordFirstLine;
    } else {
      const RecordLine parsed = ParseRecordLine(line);
      // Nothing is vouched for before the run that did it is named.
      const bool inRun = !record->runs.empty();
      switch (parsed.kind) {
        case RecordLine::Kind::kRun:
          good = parsed.run.kitKey == key;
          record->runs.push_back(parsed.run);
          break;
        case RecordLine::Kind::kFolder:
          good = inRun;
          record->folders.push_back(parsed.folder);
          record->folderLines.push_back(number);
          break;
        case RecordLine::Kind::kFile:
          good = inRun;
          record->files.push_back(parsed.file);
          record->fileLines.push_back(number);
          break;
        case RecordLine::Kind::kBad:
          break;
      }
    }
    if (!good) {
      *badLine = number;
      *badText = line;
      return RecordRead::kRefused;
    }
  }
}

std::string RecordText(const std::vector<std::string>& lines) {
  std::string text = std::string(kRecordFirstLine) + "\n";
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

}  // namespace tpl
