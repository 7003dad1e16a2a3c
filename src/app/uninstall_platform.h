// What each build supplies to --uninstall: the question before anything is
// removed and the progress while files are undone (the terminal on the
// native build, a message box and a progress window on Windows).
#pragma once

#include <memory>
#include <string>

#include "record/uninstall.h"

namespace tpl {

// Shows `actions` (one per line) and asks whether to undo the installations
// of `key`. False: declined, or nobody could answer.
bool ConfirmUninstall(const std::string& key, const std::string& actions);

// The progress of undoing the installations of `key`, shown until destroyed.
std::unique_ptr<UninstallProgress> ShowUninstallProgress(const std::string& key);

}  // namespace tpl
