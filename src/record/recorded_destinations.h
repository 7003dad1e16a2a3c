// The destination folders a record's installations resolve to on this
// machine now: the only folders an uninstall may touch.
#pragma once

#include <string>
#include <vector>

#include "record/record_store.h"

namespace tpl {

class CWizardDlg;

// The destination folders of the copy plans of every version and language
// the record's runs name, as the installer resolves them today.
std::vector<std::string> RecordedDestinations(CWizardDlg& wizard, const Record& record);

// The number of the first line of `record` whose path lies outside
// `destinations` (a created folder may also be one above them); 0 if none.
int FirstLineOutside(const Record& record, const std::vector<std::string>& destinations);

}  // namespace tpl
