// A run that a signal may stop. The machine's calls are the safe points: a
// requested interruption is acted on before and after each of them, so a
// copy is abandoned whole (the machine removes its temporary) and the wizard
// ends as if Cancel had been pressed there.
#pragma once

#include <functional>
#include <ostream>

#include "machine/forwarding_machine.h"

namespace tpl {

class CWizardDlg;

class InterruptibleMachine : public ForwardingMachine {
 public:
  using ForwardingMachine::ForwardingMachine;

  ErrorCode OpenRegistryKey(RegRoot root, const std::string& subKey,
                            std::unique_ptr<RegistryKey>* key) override;
  ErrorCode FindFiles(const std::string& pattern, std::vector<FindData>* entries) override;
  ErrorCode FindFileKinds(const std::string& pattern, std::vector<FindData>* entries) override;
  ErrorCode CopyFileOver(const std::string& source, const std::string& destination) override;
  ErrorCode CopyNewFile(const std::string& source, const std::string& destination,
                        FileContent* copied) override;
  ErrorCode ReplaceKeepingBackup(const std::string& source, const std::string& destination,
                                 const std::string& backupPath) override;
  ErrorCode MakeDirectory(const std::string& path) override;
  ErrorCode OpenTextFile(const std::string& path, std::unique_ptr<TextReader>* reader) override;
  ErrorCode CreateLogFile(const std::string& path, std::unique_ptr<LogWriter>* writer) override;
  void Pause(uint32_t milliseconds) override;
};

// Ends the program for a requested interruption: the wizard, when there is
// one without an end screen, logs the signal and shows "Installation
// cancelled."; the status is that end screen's. Before a status other than
// 0 ends the program, `afterFailure` is told whether the run copied
// something. Returns only while an end screen is being put up (it ends the
// program once it is).
void EndInterruptedRun(CWizardDlg* wizard, std::ostream& out, std::ostream& err,
                       const std::function<void(bool copiedSomething)>& afterFailure);

}  // namespace tpl
