// What each build supplies to --uninstall: the question before anything is
// removed (the terminal on the native build, a message box on Windows).
#pragma once

#include <string>

namespace tpl {

// Shows `actions` (one per line) and asks whether to undo the installations
// of `key`. False: declined, or nobody could answer.
bool ConfirmUninstall(const std::string& key, const std::string& actions);

}  // namespace tpl
