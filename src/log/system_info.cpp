// The system facts of the log's head, gathered when the wizard opens.
#include "app/wizard_dlg.h"

namespace tpl {
namespace {
const char kNoSystemInfo[] = "Failed to get system information";
}  // namespace

void CWizardDlg::GatherSystemInfo() {
  OsVersionInfo version;
  const ErrorCode status = machine().OsVersion(&version);
  if (status == kErrorSuccess) {
    m_dwPlatformId = version.platformId;
    m_dwMajorVersion = version.majorVersion;
    m_dwMinorVersion = version.minorVersion;
    m_strCSDVersion = version.csdVersion;
  } else {
    ReportSystemError(kNoSystemInfo, "", status);
  }

  // A user name that cannot be read is left empty.
  if (machine().UserName(&m_strUserName) != kErrorSuccess || m_strUserName.size() >= kMaxPath) {
    m_strUserName.clear();
  }
  if (machine().WindowsFolder(&m_strWindowsDir) != kErrorSuccess ||
      m_strWindowsDir.size() >= kMaxPath) {
    m_strWindowsDir.clear();
  }
}

}  // namespace tpl
