// A failed system call, logged and shown with the system's reason.
#include "app/wizard_dlg.h"
#include "log/log_time.h"

namespace tpl {
namespace {
const char kReasonFormat[] = "(%d) %s";
const char kMessageFormat[] = "%s: %s\nReason: %s";
}  // namespace

void CWizardDlg::ReportSystemError(std::string strDescription, std::string strDetail,
                                   ErrorCode code) {
  // The whole system text, however long; "" when the system has none.
  const std::string systemText = machine().SystemMessage(code);
  const std::string reason = FormatText(kReasonFormat, static_cast<int>(code), systemText.c_str());
  const std::string message =
      FormatText(kMessageFormat, strDescription.c_str(), strDetail.c_str(), reason.c_str());
  LogLine(message);
  AfxMessageBox(message, kMbIconExclamation);
}

}  // namespace tpl
