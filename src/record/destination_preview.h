// The dry run's account of every file it would write: new, or replacing a
// file (kept as a backup unless it is this kit's own unchanged copy).
#pragma once

#include <string>
#include <vector>

#include "install/copy_plan.h"

namespace tpl {

class CWizardDlg;

// The text that follows the dry run's plan rows: one line per destination
// file of `rows` (in copying order, each file once), then the counts and
// bytes. Reads the kit, the destinations and the kit's record; writes nothing.
std::string DestinationPreview(CWizardDlg& wizard, const std::vector<CopyPlanRow>& rows);

}  // namespace tpl
