#include <memory>

#include "app/interrupted_run.h"
#include "app/platform.h"
#include "app/program.h"
#include "app/silent_answers.h"
#include "app/wizard_app.h"
#include "machine/forwarding_machine.h"
#include "machine/interruption.h"
#include "res/strings.h"
#include "ui/scripted/scripted_front_end.h"

namespace tpl {
namespace {

const char kProgramName[] = "tplsetup: ";
const char kAnotherInstallation[] = "another installation is running on this machine";
const char kLockUnusable[] = "the installation lock cannot be taken: ";

std::string WithoutLineBreak(std::string text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  return text;
}

// A silent run has nobody watching the progress bar or waiting for
// Notepad: its pauses are skipped.
class NoPauseMachine : public ForwardingMachine {
 public:
  using ForwardingMachine::ForwardingMachine;
  void Pause(uint32_t) override {}
};

}  // namespace

int ExitStatusForEndScreen(int endScreenId) {
  switch (endScreenId) {
    case kIdsSucceeded: return kExitInstalled;
    case kIdsFailed: return kExitFailed;
    default: return kExitCancelled;  // "Installation cancelled." or no end screen at all
  }
}

int RunWizard(Machine& machine, const CommandLine& options, FrontEnd* interactive,
              std::ostream& out, std::ostream& err) {
  std::unique_ptr<NoPauseMachine> quiet;
  std::unique_ptr<ScriptedFrontEnd> scripted;
  std::unique_ptr<SilentAnswers> answers;
  Machine* target = &machine;
  FrontEnd* frontEnd = interactive;
  if (options.silent) {
    quiet = std::make_unique<NoPauseMachine>(machine);
    target = quiet.get();
    scripted = std::make_unique<ScriptedFrontEnd>();
    scripted->SetMessageBoxEcho(&err);
    answers = std::make_unique<SilentAnswers>(options, out);
    answers->Install(*scripted);
    frontEnd = scripted.get();
  }
  if (frontEnd == nullptr) {
    err << kProgramName << "this build has no interactive wizard; run it with --silent\n";
    return kExitUsage;
  }

  InterruptibleMachine interruptible(*target);
  CWizardApp app(interruptible, *frontEnd);
  app.m_bDryRun = options.dryRun;
  ClearInterruption();
  SetImmediateExitStatus(-1);
  SetInterruptionAction([&app, &out, &err] { EndInterruptedRun(app.m_pMainWnd, out, err); });
  app.InitInstance();
  SetInterruptionAction(nullptr);

  if (answers && !answers->error().empty()) {
    err << kProgramName << answers->error() << "\n";
    return kExitUsage;
  }
  if (options.silent && app.m_logLostError != kErrorSuccess) {
    err << kProgramName << "warning: the installation log " << app.m_strLogPath
        << " is incomplete: (" << app.m_logLostError << ") "
        << WithoutLineBreak(machine.SystemMessage(app.m_logLostError)) << "\n";
  }
  if (app.m_bPlanShown) return kExitInstalled;
  return ExitStatusForEndScreen(app.m_nEndScreenId);
}

int ProgramMain(const std::vector<std::string>& args) {
  CommandLine options;
  std::string error;
  if (!ParseCommandLine(args, &options, &error)) {
    ProgramErr() << kProgramName << error << "\n\n" << UsageText();
    return kExitUsage;
  }
  if (options.help) {
    ProgramOut() << UsageText();
    return kExitInstalled;
  }
  if (options.showVersion) {
    ProgramOut() << LoadResString(kIdsTitleLine) << "\n";
    return kExitInstalled;
  }

  int status = kExitUsage;
  std::unique_ptr<Machine> machine = MakeProgramMachine(options, &error, &status);
  if (!machine) {
    ProgramErr() << kProgramName << error << "\n";
    return status;
  }
  // Before anything is opened, truncated or written, the log included.
  std::unique_ptr<MachineLock> lock;
  const ErrorCode locked = machine->LockInstallation(&lock);
  if (locked != kErrorSuccess) {
    const std::string why = locked == kErrorSharingViolation
                                ? std::string(kAnotherInstallation)
                                : kLockUnusable + WithoutLineBreak(machine->SystemMessage(locked));
    ProgramErr() << kProgramName << why << "\n";
    if (!options.silent) ShowStartError(why);
    return kExitFailed;
  }
  CatchInterruptions();
  std::unique_ptr<FrontEnd> interactive;
  if (!options.silent) interactive = MakeInteractiveFrontEnd(*machine);
  const int exitStatus =
      RunWizard(*machine, options, interactive.get(), ProgramOut(), ProgramErr());
  ProgramOut().flush();
  return exitStatus;
}

}  // namespace tpl
