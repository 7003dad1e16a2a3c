// The installation log: its head, event lines and closing line.
#include "app/wizard_dlg.h"
#include "log/log_time.h"
#include "res/strings.h"

namespace tpl {
namespace {

const char kLogFileName[] = "\\tplsetup.log";
const char kHeadFormat[] = "%s\n%s\nLog file opened on %s at %s";
const char kOsFormat[] = "Operating system: %s V%d.%d %s";
const char kUserFormat[] = "User name: %s";
const char kWindowsFormat[] = "Windows folder: %s";
const char kCloseFormat[] = "Log file closed on %s at %s\n";

const char* PlatformText(uint32_t platformId) {
  switch (platformId) {
    case 1: return "Windows 95/98";
    case 2: return "Windows NT/2000/XP";
    default: return "Unsupported";
  }
}

// The line in text mode, as written to disk, in *out: every "\n" becomes
// CR LF, and the line ends with one.
void PutTextModeLine(const std::string& line, std::string* out) {
  out->clear();
  size_t from = 0;
  for (size_t feed = line.find('\n'); feed != std::string::npos; feed = line.find('\n', from)) {
    out->append(line, from, feed - from).append("\r\n", 2);
    from = feed + 1;
  }
  out->append(line, from, std::string::npos).append("\r\n", 2);
}

}  // namespace

void CWizardDlg::LogLine(const std::string& strLine) {
  if (!m_bLogEnabled || !m_fileLog) return;
  PutTextModeLine(strLine, &m_logLineBytes);
  ErrorCode error = m_fileLog->Write(m_logLineBytes);
  if (error == kErrorSuccess) error = m_fileLog->Flush();
  if (error != kErrorSuccess) {
    // A log that can no longer be written (disk full, file gone) is dropped;
    // the installation goes on without it.
    m_fileLog.reset();
    m_bLogEnabled = false;
    m_logLostError = error;
  }
}

void CWizardDlg::CheckLogStillPresent() {
  if (!m_bLogEnabled || !m_fileLog) return;
  const ErrorCode error = m_fileLog->StillPresent();
  if (error == kErrorSuccess) return;
  m_fileLog.reset();
  m_bLogEnabled = false;
  m_logLostError = error;
}

void CWizardDlg::OpenLog() {
  // Step 0 runs again when no version was chosen: the log is already open
  // then, and goes on where it is.
  if (m_fileLog) {
    m_bLogEnabled = true;
    return;
  }
  // A log that failed to open, or was dropped after a failed write, stays
  // off: opening it again would truncate what it already holds.
  if (m_bLogOpenTried) {
    m_bLogEnabled = false;
    return;
  }
  m_bLogOpenTried = true;

  if (!ReadRegistryValue(g_strRegExplorer + g_strRegTempFilesCache, g_strValFolder, m_strLogPath,
                         kHiveLocalMachine)) {
    std::string temp;
    machine().TempPath(&temp);
    if (temp.size() >= kMaxPath) temp.clear();
    m_strLogPath = temp;
    if (!m_strLogPath.empty() && m_strLogPath.back() == '\\') m_strLogPath.pop_back();
  }
  m_strLogPath += kLogFileName;

  if (machine().CreateLogFile(m_strLogPath, &m_fileLog) != kErrorSuccess) {
    m_fileLog.reset();
    m_bLogEnabled = false;
    return;
  }

  const LogStamp opened = FormatLogStamp(machine().Now());
  LogLine(FormatText(kHeadFormat, LoadResString(kIdsTitleLine).c_str(),
                     LoadResString(kIdsNoticeLine).c_str(), opened.date.c_str(),
                     opened.time.c_str()));
  LogLine(FormatText(kOsFormat, PlatformText(m_dwPlatformId), static_cast<int>(m_dwMajorVersion),
                     static_cast<int>(m_dwMinorVersion), m_strCSDVersion.c_str()));
  LogLine(FormatText(kUserFormat, m_strUserName.c_str()));
  LogLine(FormatText(kWindowsFormat, m_strWindowsDir.c_str()));
}

void CWizardDlg::CloseLog() {
  if (!m_bLogEnabled) return;
  const LogStamp closed = FormatLogStamp(machine().Now());
  LogLine(FormatText(kCloseFormat, closed.date.c_str(), closed.time.c_str()));
  m_fileLog.reset();
  m_bLogEnabled = false;
}

}  // namespace tpl
