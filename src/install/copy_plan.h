// The install driver's copy plan: which kit folder goes to which destination
// folder for the version being installed, and in what order. InstallFiles
// runs exactly these rows; a dry run can list them without copying.
#pragma once

#include <string>
#include <vector>

namespace tpl {

class CWizardDlg;

struct CopyPlanRow {
  std::string logText;      // "Copying common themes to " (the destination follows)
  std::string source;       // kit folder, relative to the kit's top folder
  std::string destination;  // Windows folder path
  int fileCount = 0;        // file copies the row makes (CountedCopyPlanFor only)
};

// The rows that run for the wizard's m_nHostVersion and destination members,
// in their running order; fileCount is left 0. Reads nothing from disk.
std::vector<CopyPlanRow> CopyPlanFor(const CWizardDlg& wizard);

// The same rows, each with its file count from the counting walk. Nothing is
// created, copied or logged.
std::vector<CopyPlanRow> CountedCopyPlanFor(CWizardDlg& wizard);

}  // namespace tpl
