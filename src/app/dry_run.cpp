// --dry-run: the installing step without the copying. Each chosen version's
// folders are resolved as for the copy, and the rows of its copy plan are
// shown on the end screen: log text, destination and file count.
#include "app/program.h"
#include "app/wizard_dlg.h"
#include "install/copy_plan.h"
#include "log/log_time.h"
#include "machine/interruption.h"
#include "record/destination_preview.h"
#include "res/strings.h"

namespace tpl {
namespace {

const char kLogDryRun[] = "Dry run: nothing was copied";
const char kPlanHeading[] = "Dry run: these copies would be made; none was.";
const char kVersionFormat[] = "\n\n%s:";
const char kRowFormat[] = "\n  %s%s  (%d %s)";
const char kLogWrittenTo[] = "\n\nLog file written to ";

}  // namespace

void CWizardDlg::ShowCopyPlan() {
  const int* const installFlags[] = {&m_bInstallFP98, &m_bInstallFP2000, &m_bInstallFP2002,
                                     &m_bInstallFP2003};
  std::string plan = kPlanHeading;
  std::vector<CopyPlanRow> rows;
  for (int version = kFP98; version <= kFP2003; ++version) {
    if (!*installFlags[version]) continue;
    m_nHostVersion = version;
    if (!ResolveInstallFolders()) {
      ShowEndScreen(kIdsFailed);
      return;
    }
    plan += FormatText(kVersionFormat, HostName(version).c_str());
    for (const CopyPlanRow& row : CountedCopyPlanFor(*this)) {
      plan += FormatText(kRowFormat, row.logText.c_str(), row.destination.c_str(), row.fileCount,
                         row.fileCount == 1 ? "file" : "files");
      rows.push_back(row);
    }
  }
  plan += DestinationPreview(*this, rows);

  // The end screen closes the log; the plan then takes the place of its text.
  const bool logged = m_bLogEnabled;
  LogLine(kLogDryRun);
  ShowEndScreen(kIdsCancelled);
  if (logged) plan += kLogWrittenTo + m_strLogPath;
  SetStatus(plan);
  m_bPlanShown = true;
  SetImmediateExitStatus(kExitInstalled);
}

}  // namespace tpl
