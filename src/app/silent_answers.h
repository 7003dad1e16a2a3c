// The answers of a silent run: every dialog of the wizard is answered from
// the command line's options, as a user would answer it, through the
// scripted front end.
//
//   wizard       unticks "Create log file" with --no-log; presses "Next >"
//                while it is usable; picks the language (--language, else
//                the first item); prints the end screen's main text; unticks
//                "View Readme file" and presses "Finish"
//   versions     ticks exactly the --versions, else keeps the preselection;
//                presses OK
//   licence      "Accept" with --accept-licence, else "Don't Accept"
//   about        OK
//
// An answer the dialog does not offer (a language or version not found)
// stops the run before anything is copied: the wizard is cancelled and
// error() says what was offered. Every path ends: "Next >" is pressed a
// bounded number of times, then the wizard is cancelled.
#pragma once

#include <ostream>
#include <string>

#include "app/command_line.h"
#include "ui/scripted/scripted_front_end.h"

namespace tpl {

class SilentAnswers {
 public:
  // `out` receives the end screen's main text.
  SilentAnswers(const CommandLine& options, std::ostream& out);

  // Sets the scripts of the wizard and its dialogs on `ui`.
  void Install(ScriptedFrontEnd& ui);

  // An option the wizard could not follow; empty when every answer fit.
  const std::string& error() const { return error_; }

  // Presses of "Next >" after which a run that has not ended is cancelled;
  // a normal run needs at most four, a repeated first step five.
  static constexpr int kMaxNextPresses = 12;

 private:
  void AnswerWizard(DialogDriver& d);
  void AnswerVersions(DialogDriver& d);
  void AnswerLicence(DialogDriver& d);
  bool ChooseLanguage(DialogDriver& d);
  void Fail(const std::string& error);

  CommandLine options_;
  std::ostream& out_;
  std::string error_;
};

}  // namespace tpl
