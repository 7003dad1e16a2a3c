// The install plan: the text that tells the user what will be installed,
// built from the wizard's four item lists, each item logged as it is added.
#pragma once

#include <string>

#include "app/wizard_dlg.h"

namespace tpl {

std::string BuildInstallPlan(CWizardDlg& wizard);

}  // namespace tpl
