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

inline const char kOffice10[] = "C:\\Program Files\\Microsoft Office\\Office10";
inline const char kOffice11[] = "C:\\Program Files\\Microsoft Office\\OFFICE11";
inline const char kTemplates[] = "C:\\Program Files\\Microsoft Office\\templates";
inline const char kShared[] = "C:\\Program Files\\Common Files\\Microsoft Shared";
inline const char kFrontPage98[] = "C:\\Program Files\\FrontPage";
inline const char kLogPath[] = "C:\\users\\tester\\Temp\\tplsetup.log";
inline const char kReady[] = "Ready to install themes.\n\nClick Next to continue.";
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

// FrontPage 2002 with the given Office language folders.
inline void FrontPage2002(WizardFixture& f, const std::vector<std::string>& languages = {"1033"}) {
  f.prefix.AddFrontPage(2, kOffice10);
  for (const std::string& lcid : languages) f.prefix.AddFolder(std::string(kTemplates) + "\\" + lcid);
}

// SmallKit on FrontPage 2002, the licence accepted whenever it is shown.
inline void SmallKitOn2002(WizardFixture& f, const std::vector<std::string>& languages = {"1033"}) {
  SmallKit(f);
  FrontPage2002(f, languages);
  f.ui.SetDefault(kIddLicence, [](DialogDriver& d) { d.Click(kIdOk); });
}

// The files below a Windows folder of the prefix, sorted, '/' separated.
inline std::vector<std::string> Tree(WizardFixture& f, const std::string& windowsFolder) {
  return ListHostTree(f.HostPath(windowsFolder));
}

inline std::vector<std::string> Sorted(std::vector<std::string> lines) {
  std::sort(lines.begin(), lines.end());
  return lines;
}

inline std::vector<std::string> Tail(const std::vector<std::string>& lines, size_t count) {
  EXPECT_GE(lines.size(), count);
  return {lines.end() - static_cast<std::ptrdiff_t>(std::min(count, lines.size())), lines.end()};
}

inline size_t CountLines(const std::vector<std::string>& lines, const std::string& line) {
  return static_cast<size_t>(std::count(lines.begin(), lines.end(), line));
}

// A row's two "Copying ... to <to>" lines: the version folder's items, then the common ones.
inline std::vector<std::string> RowPair(const std::string& what, const std::string& to) {
  return {"Copying version-specific " + what + " to " + to, "Copying common " + what + " to " + to};
}

// A new item folder and the files copied into it.
inline std::vector<std::string> NewItem(const std::string& folder, const std::vector<std::string>& files) {
  std::vector<std::string> lines{"Created folder " + folder};
  for (const std::string& file : files) lines.push_back("Copied file: " + folder + "\\" + file);
  return lines;
}

// The log's six head lines on the fixture's machine.
inline std::vector<std::string> LogHead() {
  return {"tplsetup 1.0",
          "Installs themes and templates for Microsoft FrontPage 98, 2000, 2002 and 2003",
          "Log file opened on DD-Mon-YYYY at HH:MM:SS",
          "Operating system: Windows NT/2000/XP V6.1 Service Pack 1", "User name: tester",
          "Windows folder: C:\\windows"};
}

// Compares the whole log, line by line, and checks that every line ends
// in CR LF (a text-mode file written on Windows).
inline void ExpectLog(WizardFixture& f, const std::vector<std::string>& expected) {
  EXPECT_EQ(f.LogLines(), expected);
  const std::string bytes = f.LogBytes();
  for (size_t at = bytes.find('\n'); at != std::string::npos; at = bytes.find('\n', at + 1)) {
    ASSERT_TRUE(at > 0 && bytes[at - 1] == '\r') << "a line end without CR at byte " << at;
  }
}

inline std::vector<std::string> Concat(std::vector<std::vector<std::string>> parts) {
  std::vector<std::string> all;
  for (auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

}  // namespace tpl::test
