#include <memory>

#include "app/platform.h"
#include "app/program.h"
#include "app/silent_answers.h"
#include "app/wizard_app.h"
#include "machine/forwarding_machine.h"
#include "res/strings.h"
#include "ui/scripted/scripted_front_end.h"

namespace tpl {
namespace {

const char kProgramName[] = "tplsetup: ";

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

  CWizardApp app(*target, *frontEnd);
  app.m_bDryRun = options.dryRun;
  app.InitInstance();

  if (answers && !answers->error().empty()) {
    err << kProgramName << answers->error() << "\n";
    return kExitUsage;
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
  std::unique_ptr<FrontEnd> interactive;
  if (!options.silent) interactive = MakeInteractiveFrontEnd(*machine);
  const int exitStatus =
      RunWizard(*machine, options, interactive.get(), ProgramOut(), ProgramErr());
  ProgramOut().flush();
  return exitStatus;
}

}  // namespace tpl
