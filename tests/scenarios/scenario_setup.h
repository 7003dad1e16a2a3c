// What the wizard scenarios share: a small kit, machines with FrontPage,
// and checks of the log and the installed trees.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "res/strings.h"
#include "support/wizard_fixture.h"

namespace tpl::test {

inline const char kOffice[] = "C:\\Program Files\\Microsoft Office\\Office";
inline const char kOffice10[] = "C:\\Program Files\\Microsoft Office\\Office10";
inline const char kOffice11[] = "C:\\Program Files\\Microsoft Office\\OFFICE11";
inline const char kTemplates[] = "C:\\Program Files\\Microsoft Office\\templates";
inline const char kShared[] = "C:\\Program Files\\Common Files\\Microsoft Shared";
inline const char kFrontPage98[] = "C:\\Program Files\\FrontPage";
inline const char kLogPath[] = "C:\\users\\tester\\Temp\\tplsetup.log";
inline const char kNote2003[] =
    "This option will install the template under the 'My Templates' tab in FrontPage 2003";
inline const char kCancelledWithLog[] =
    "Installation cancelled.\nLog file written to C:\\users\\tester\\Temp\\tplsetup.log";
inline const char kFailedWithLog[] =
    "Installation failed. Please check the log file.\n"
    "Log file written to C:\\users\\tester\\Temp\\tplsetup.log";

// One theme and one page template for every version, one web template for
// FrontPage 2000 and later, and a licence.
inline void SmallKit(WizardFixture& f) {
  f.Kit("common/Themes/blue/blue.inf", "title=Blue\r\nversion=1\r\n");
  f.Kit("common/Themes/blue/blue.css", "body { color: navy }\r\n");
  f.Kit("common/Pages/welcome/welcome.htm", "<html></html>\r\n");
  f.Kit("fp2000/Webs/club/index.htm", "<html></html>\r\n");
  f.Kit("license.txt", "Use it well.\r\n");
}

// SmallKit on FrontPage 2002 with the given Office language folders, the
// licence accepted whenever it is shown.
inline void SmallKitOn2002(WizardFixture& f, const std::vector<std::string>& languages = {"1033"}) {
  SmallKit(f);
  f.prefix.AddFrontPage(2, kOffice10);
  for (const std::string& lcid : languages) f.prefix.AddFolder(std::string(kTemplates) + "\\" + lcid);
  f.ui.SetDefault(kIddLicence, [](DialogDriver& d) { d.Click(kIdOk); });
}

// The files below a Windows folder of the prefix, sorted, '/' separated.
inline std::vector<std::string> Tree(WizardFixture& f, const std::string& windowsFolder) {
  return ListHostTree(f.HostPath(windowsFolder));
}

inline size_t CountLines(const std::vector<std::string>& lines, const std::string& line) {
  return static_cast<size_t>(std::count(lines.begin(), lines.end(), line));
}

}  // namespace tpl::test
