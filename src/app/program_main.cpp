#include <memory>

#include "app/interrupted_run.h"
#include "app/platform.h"
#include "app/program.h"
#include "app/silent_answers.h"
#include "app/uninstall_platform.h"
#include "app/wizard_app.h"
#include "machine/ascii_case.h"
#include "machine/forwarding_machine.h"
#include "machine/interruption.h"
#include "record/record_store.h"
#include "record/uninstall.h"
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
  app.m_strKitKey = options.kitKey;
  // A failed, cancelled or interrupted run that copied something is undone
  // at once when asked, else the way to undo it is shown.
  auto afterFailure = [&options, target, frontEnd, &out, &err](bool copiedSomething) {
    if (!copiedSomething) return;
    if (options.undoOnFailure) {
      UninstallRequest undo;
      undo.key = options.kitKey;
      undo.log = false;  // the failed installation's log stays as it is
      Uninstall(*target, *frontEnd, undo, out, err);
    } else {
      err << kProgramName << "to undo what was copied: tplsetup --uninstall --record "
          << options.kitKey << "\n";
    }
  };
  ClearInterruption();
  SetImmediateExitStatus(-1);
  SetInterruptionAction([&app, &out, &err, &afterFailure] {
    EndInterruptedRun(app.m_pMainWnd, out, err, afterFailure);
  });
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
  const int status = ExitStatusForEndScreen(app.m_nEndScreenId);
  if (status != kExitInstalled) afterFailure(app.m_bCopiedSomething);
  return status;
}

int RunUninstall(Machine& machine, const CommandLine& options, FrontEnd* interactive,
                 std::ostream& out, std::ostream& err) {
  std::unique_ptr<ScriptedFrontEnd> scripted;
  FrontEnd* frontEnd = interactive;
  if (frontEnd == nullptr) {
    scripted = std::make_unique<ScriptedFrontEnd>();
    scripted->SetMessageBoxEcho(&err);
    frontEnd = scripted.get();
  }
  if (options.listInstalled) return ListInstalled(machine, *frontEnd, out, err);

  UninstallRequest request;
  // Keys are lower case.
  request.key = AsciiLower(options.recordKey.empty() ? options.kitKey : options.recordKey);
  if (!IsValidKitKey(request.key)) {
    err << kProgramName << "\"" << request.key << "\" cannot name a record\n";
    return kExitUsage;
  }
  request.dryRun = options.dryRun;
  request.log = !options.noLog;
  if (!options.silent) {
    request.confirm = ConfirmUninstall;
    request.showProgress = ShowUninstallProgress;
  }
  return Uninstall(machine, *frontEnd, request, out, err);
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
  options.kitKey = KitKeyOf(options.kitDir);
  // Listing reads the records only: it takes no lock, so it works while an
  // installation runs. Everything else (a dry run of --uninstall too, which
  // writes the log and reads a record an installation may be extending)
  // waits for no one: a second run is refused.
  std::unique_ptr<MachineLock> lock;
  if (!options.listInstalled) {
    // Before anything is opened, truncated or written, the log included.
    const ErrorCode locked = machine->LockInstallation(&lock);
    if (locked != kErrorSuccess) {
      const std::string why = locked == kErrorSharingViolation
                                  ? std::string(kAnotherInstallation)
                                  : kLockUnusable + WithoutLineBreak(machine->SystemMessage(locked));
      ProgramErr() << kProgramName << why << "\n";
      if (!options.silent) ShowStartError(why);
      return kExitFailed;
    }
  }
  // An uninstall runs to its end after a first signal: stopped between a
  // restore and the record's rewriting, it would leave a record that no
  // longer matches the files. A second signal ends it at once.
  CatchInterruptions();
  // An interactive uninstall reports its failures in the front end's
  // message boxes, as an installation does.
  std::unique_ptr<FrontEnd> interactive;
  if (!options.silent) interactive = MakeInteractiveFrontEnd(*machine);
  if (options.uninstall || options.listInstalled) {
    return EndProgram(
        RunUninstall(*machine, options, interactive.get(), ProgramOut(), ProgramErr()));
  }
  return EndProgram(RunWizard(*machine, options, interactive.get(), ProgramOut(), ProgramErr()));
}

}  // namespace tpl
