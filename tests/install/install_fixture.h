// A wizard ready to install: destination members set directly (as target
// folder resolution would), the log open, and helpers to read what the
// install engine did.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "support/wizard_fixture.h"

namespace tpl::test {

inline constexpr char kWebsDir[] = "C:\\dest\\webs";
inline constexpr char kDwtDir[] = "C:\\dest\\DWTs";

class InstallFixture : public WizardFixture {
 public:
  ~InstallFixture() { g_strAppDataPath.clear(); }

  // Starts the wizard with its log open, installing for `version`.
  // The destinations lie below C:\dest, which exists (as "C:\Program Files"
  // would): the climb of folder creation stops there.
  void StartFor(int version, bool found2003 = false) {
    prefix.AddFolder("C:\\dest");
    CWizardDlg& w = StartLogged();
    w.m_nHostVersion = version;
    w.m_bFoundFP2003 = found2003;
    w.m_strKitVersionFolder = version == kFP98 ? "fp98" : "fp2000";
    w.m_strThemesDir = "C:\\dest\\themes";
    w.m_strPagesDir = "C:\\dest\\pages";
    w.m_strWebsDir = kWebsDir;
    w.m_strFramesDir = "C:\\dest\\frames";
    w.m_strDwtDir = version == kFP2003 ? kDwtDir : "";
    g_strAppDataPath = prefix.AppDataPath();  // exists
  }

  // The new log lines that begin with `start`.
  std::vector<std::string> NewLogLinesStarting(const std::string& start) const {
    std::vector<std::string> found;
    for (const std::string& line : NewLogLines()) {
      if (line.rfind(start, 0) == 0) found.push_back(line);
    }
    return found;
  }
  // The new log lines but blank ones, each failure's reason cut after its code.
  std::vector<std::string> Events() const {
    std::vector<std::string> events;
    for (const std::string& line : NewLogLines()) {
      if (line.empty()) continue;
      events.push_back(line.rfind("Reason: (", 0) == 0 ? line.substr(0, line.find(')') + 1) : line);
    }
    return events;
  }
  // Nothing was created below C:\dest.
  bool DestUntouched() const { return std::filesystem::is_empty(HostPath("C:\\dest")); }
  // The files below C:\dest, sorted, '/' separated.
  std::vector<std::string> DestFiles() const { return ListHostTree(HostPath("C:\\dest")); }
  std::string Read(const std::string& windowsPath) const {
    return ReadHostFile(HostPath(windowsPath));
  }
  MemoryPeer& bar() { return control(kIdcProgress); }
  MemoryPeer& caption() { return control(kIdcProgressText); }
};

}  // namespace tpl::test
