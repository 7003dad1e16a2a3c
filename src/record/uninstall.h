// --uninstall: undoes what a kit's record says its installations did.
#pragma once

#include <functional>
#include <memory>
#include <ostream>
#include <string>

#include "machine/machine.h"
#include "ui/front_end.h"

namespace tpl {

// Shows an interactive uninstall's user how far it has come.
class UninstallProgress {
 public:
  virtual ~UninstallProgress() = default;
  // `done` of `total` files undone.
  virtual void Update(int done, int total) = 0;
};

struct UninstallRequest {
  std::string key;
  bool dryRun = false;  // list the actions, change nothing
  bool log = true;      // write the installation log
  // Asked before anything changes, with what the run will do ("Uninstalling
  // KEY will", then the actions, a line each); nullptr: ask nothing
  // (silent). Returns whether to go on.
  std::function<bool(const std::string& question)> confirm;
  // Called with its caption ("Uninstalling KEY") once the run is confirmed,
  // before the first file is undone; nullptr: no progress shown (silent).
  // The progress ends with the files.
  std::function<std::unique_ptr<UninstallProgress>(const std::string& caption)> showProgress;
};

// Exit statuses as the program's: 0 everything undone (no record left);
// 1 files kept, a record refused or missing, a failure; 2 declined.
int Uninstall(Machine& machine, FrontEnd& frontEnd, const UninstallRequest& request,
              std::ostream& out, std::ostream& err);

// --list-installed: one line per record, "<key>  <date> <time>  <versions>
// <n> files". Reads only; returns the exit status.
int ListInstalled(Machine& machine, FrontEnd& frontEnd, std::ostream& out, std::ostream& err);

}  // namespace tpl
