// What each build supplies to --uninstall: the question before anything is
// removed and the progress while files are undone (the terminal on the
// native build, a message box and a progress window on Windows).
#pragma once

#include <memory>
#include <string>

#include "record/uninstall.h"

namespace tpl {

// Shows `question` (what the uninstall will do, its lines ended) and asks
// whether to go on. False: declined, or nobody could answer.
bool ConfirmUninstall(const std::string& question);

// The progress of the uninstall, under `caption`, shown until destroyed.
std::unique_ptr<UninstallProgress> ShowUninstallProgress(const std::string& caption);

}  // namespace tpl
