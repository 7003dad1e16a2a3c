// Records an installation as it happens: the install walk hands it every
// folder it creates and every file it copies. Each line reaches the record
// before the change it describes, so an interrupted run leaves a true
// record; a file that replaces another keeps the other as a backup.
#pragma once

#include <memory>
#include <string>

#include "machine/machine.h"
#include "record/installed_digests.h"
#include "record/record_format.h"
#include "record/record_store.h"

namespace tpl {

class CWizardDlg;

class InstallRecorder {
 public:
  InstallRecorder(Machine& machine, RecordPlace place, std::string key);

  // Starts the record of one version's installation (the run line); the
  // record and its folders are made when missing. Reads what the record
  // already holds first: earlier runs' files need no backup again.
  ErrorCode BeginRun(RecordedRun run);

  void FolderCreated(const std::string& path);

  // CopyFileOver, recorded, keeping a backup of a file it replaces. Errors
  // are the copy's, or the record's write failure.
  ErrorCode CopyFile(const std::string& source, const std::string& destination);

  bool copiedSomething() const { return copied_; }
  const std::string& key() const { return key_; }

 private:
  // Writes *line with its line end, which is added to it.
  ErrorCode Append(std::string* line);
  ErrorCode MakeFolder(const std::string& path);
  ErrorCode NextBackup(std::string* path, int* number);

  Machine& machine_;
  RecordPlace place_;
  std::string key_;
  std::unique_ptr<LogWriter> out_;
  InstalledDigests installed_;
  RecordedFile file_;  // CopyFile's, kept with its room from file to file
  std::string line_;   // likewise its line
  FileContent copiedContent_;  // and what the machine tells of the copy
  int lastBackup_ = 0;
  bool backupsReady_ = false;
  bool copied_ = false;
};

// Starts recording for the wizard's m_nHostVersion (InstallFiles calls it
// before the copy): false only when the record cannot be written, with the
// failure reported. A wizard without a kit key records nothing.
bool BeginRecordedRun(CWizardDlg& wizard);

}  // namespace tpl
