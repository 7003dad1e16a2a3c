// The install driver: counts the copy plan's files, sets up the progress bar,
// then copies kit folder after kit folder until one fails.
#include <vector>

#include "app/wizard_dlg.h"
#include "install/copy_plan.h"
#include "install/install_session.h"
#include "log/log_time.h"
#include "record/install_recorder.h"
#include "res/strings.h"

namespace tpl {
namespace {

const char kInstallingHeading[] = "\nCurrently Installing Theme for ";
const char kCountingLine[] = "Counting files...";
const char kTotalFormat[] = "Total files = %d";
const char kCaptionFormat[] = "Installing %s files";
constexpr uint32_t kPauseAfterCopyMs = 500;

}  // namespace

bool CWizardDlg::InstallFiles() {
  ui().BeginWaitCursor();
  SetStatus(kIdsCopying);
  const std::string hostName = HostName(m_nHostVersion);
  LogLine(kInstallingHeading + hostName);
  LogLine(kCountingLine);

  InstallSession session(m_pKitSearches ? *m_pKitSearches : machine());
  m_pInstallSession = &session;
  const std::vector<CopyPlanRow> plan = CountedCopyPlanFor(*this);
  int total = 0;
  for (const CopyPlanRow& row : plan) {
    if (row.fileCount > 0) total += row.fileCount;
  }
  LogLine(FormatText(kTotalFormat, total));

  // With nothing to copy the bar and its caption stay as they were.
  if (total > 0) {
    session.ticker.Start(m_progress, total);
    m_progress.ShowWindow(true);
    m_staticProgress.SetText(FormatText(kCaptionFormat, hostName.c_str()));
    m_staticProgress.ShowWindow(true);
    // No messages are handled while copying: paint the caption now.
    m_staticProgress.UpdateWindow();
  }

  bool succeeded = BeginRecordedRun(*this);
  for (const CopyPlanRow& row : plan) {
    if (!succeeded) break;
    LogLine(row.logText + row.destination);
    succeeded = CopyTree(row.source, row.destination);
  }
  m_pInstallSession = nullptr;

  machine().Pause(kPauseAfterCopyMs);
  ui().EndWaitCursor();
  return succeeded;
}

}  // namespace tpl
