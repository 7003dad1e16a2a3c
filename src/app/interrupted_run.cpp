#include "app/interrupted_run.h"

#include <cstdlib>

#include "app/program.h"
#include "app/wizard_dlg.h"
#include "record/install_recorder.h"
#include "machine/interruption.h"
#include "res/strings.h"

namespace tpl {
namespace {

const char kLogInterrupted[] = "Installation interrupted by ";

template <typename Call>
auto AtSafePoint(Call call) {
  CheckInterruption();
  auto result = call();
  CheckInterruption();
  return result;
}

}  // namespace

ErrorCode InterruptibleMachine::OpenRegistryKey(RegRoot root, const std::string& subKey,
                                                std::unique_ptr<RegistryKey>* key) {
  return AtSafePoint([&] { return ForwardingMachine::OpenRegistryKey(root, subKey, key); });
}
ErrorCode InterruptibleMachine::FindFiles(const std::string& pattern,
                                          std::vector<FindData>* entries) {
  return AtSafePoint([&] { return ForwardingMachine::FindFiles(pattern, entries); });
}

ErrorCode InterruptibleMachine::FindFileKinds(const std::string& pattern,
                                              std::vector<FindData>* entries) {
  return AtSafePoint([&] { return ForwardingMachine::FindFileKinds(pattern, entries); });
}
ErrorCode InterruptibleMachine::CopyFileOver(const std::string& source,
                                             const std::string& destination) {
  return AtSafePoint([&] { return ForwardingMachine::CopyFileOver(source, destination); });
}
ErrorCode InterruptibleMachine::CopyNewFile(const std::string& source,
                                            const std::string& destination, FileContent* copied) {
  return AtSafePoint([&] { return ForwardingMachine::CopyNewFile(source, destination, copied); });
}
ErrorCode InterruptibleMachine::ReplaceKeepingBackup(const std::string& source,
                                                     const std::string& destination,
                                                     const std::string& backupPath) {
  return AtSafePoint(
      [&] { return ForwardingMachine::ReplaceKeepingBackup(source, destination, backupPath); });
}
ErrorCode InterruptibleMachine::MakeDirectory(const std::string& path) {
  return AtSafePoint([&] { return ForwardingMachine::MakeDirectory(path); });
}
ErrorCode InterruptibleMachine::OpenTextFile(const std::string& path,
                                             std::unique_ptr<TextReader>* reader) {
  return AtSafePoint([&] { return ForwardingMachine::OpenTextFile(path, reader); });
}
ErrorCode InterruptibleMachine::CreateLogFile(const std::string& path,
                                              std::unique_ptr<LogWriter>* writer) {
  return AtSafePoint([&] { return ForwardingMachine::CreateLogFile(path, writer); });
}
void InterruptibleMachine::Pause(uint32_t milliseconds) {
  CheckInterruption();
  ForwardingMachine::Pause(milliseconds);
  CheckInterruption();
}

void CWizardDlg::OnInterrupted(const std::string& signalName) {
  if (m_nEndScreenId != 0) return;
  LogLine(kLogInterrupted + signalName);
  ShowEndScreen(kIdsCancelled);
}

void EndInterruptedRun(CWizardDlg* wizard, std::ostream& out, std::ostream& err,
                       const std::function<void(bool copiedSomething)>& afterFailure) {
  if (wizard != nullptr) {
    if (wizard->m_nEndScreenId == 0) {
      wizard->OnInterrupted(InterruptionName(RequestedInterruption()));
    } else if (ImmediateExitStatus() < 0) {
      return;  // the end screen is on its way; it ends the program when up
    }
  }
  const int status = ImmediateExitStatus() >= 0 ? ImmediateExitStatus() : kExitCancelled;
  if (status != kExitInstalled && afterFailure) {
    afterFailure(wizard != nullptr && wizard->m_pRecorder && wizard->m_pRecorder->copiedSomething());
  }
  out.flush();
  err.flush();
  std::exit(status);
}

}  // namespace tpl
