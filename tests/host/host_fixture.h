// A wizard on a Wine prefix with its log open, as step 0 leaves it before
// detection runs; the host tests call the operations one by one.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "res/strings.h"
#include "support/wizard_fixture.h"

namespace tpl::test {

inline const std::string kOffice = "C:\\Program Files\\Microsoft Office";
inline const std::string kRoot2000 = kOffice + "\\Office";
inline const std::string kRoot2002 = kOffice + "\\Office10";
inline const std::string kRoot2003 = kOffice + "\\OFFICE11";
inline const std::string kShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

class HostFixture : public WizardFixture {
 public:
  CWizardDlg& StartLogged() {
    Start();
    wizard().m_bLogEnabled = true;
    wizard().OpenLog();
    return wizard();
  }
  // The log lines from the first one equal to `first` on (none when absent).
  std::vector<std::string> LogFrom(const std::string& first) const {
    const std::vector<std::string> lines = LogLines();
    return {std::find(lines.begin(), lines.end(), first), lines.end()};
  }
  bool Logged(const std::string& line) const {
    const std::vector<std::string> lines = LogLines();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  }
};

}  // namespace tpl::test
