// Finding FrontPage: what the registry and the probe files say decides which
// versions are found, which one is preselected, and whether the user is asked.
#include <gtest/gtest.h>

#include <functional>

#include "host/host_fixture.h"

namespace tpl::test {
namespace {

using Flags = std::vector<int>;  // FrontPage 98, 2000, 2002, 2003

Flags Found(const CWizardDlg& w) {
  return {w.m_bFoundFP98, w.m_bFoundFP2000, w.m_bFoundFP2002, w.m_bFoundFP2003};
}
Flags Installs(const CWizardDlg& w) {
  return {w.m_bInstallFP98, w.m_bInstallFP2000, w.m_bInstallFP2002, w.m_bInstallFP2003};
}

TEST(DetectFrontPage, RegistryFactsDecideFoundPreselectedAndAsked) {
  const char* const kKey2002 = "Software\\Microsoft\\Office\\10.0\\Common\\InstallRoot";
  const struct Case {
    const char* name;
    std::function<void(HostFixture&)> machine;
    Flags found;
    Flags preselected;  // ticked when the dialog opens (Enter keeps them), or chosen unasked
    bool asked;
    size_t privilegeBoxes = 0;  // the keys of FrontPage 2002 and Application Data are refused
  } cases[] = {
      {"current is the newest of two roots",
       [](HostFixture& f) {
         f.prefix.AddFrontPage(kFP2002, kRoot2002).AddFrontPage(kFP2003, kRoot2003);
         f.prefix.SetCurrentFrontPage(kRoot2003);
       },
       {0, 0, 1, 1}, {0, 0, 0, 1}, true},
      {"two roots and no current one",
       [](HostFixture& f) { f.prefix.AddFrontPage(kFP2000, kRoot2000).AddFrontPage(kFP2002, kRoot2002); },
       {0, 1, 1, 0}, {0, 0, 0, 0}, true},
      {"a current one matching no root is FrontPage 2000",
       [](HostFixture& f) { f.prefix.SetCurrentFrontPage("C:\\Program Files\\FrontPage"); },
       {0, 0, 0, 0}, {0, 1, 0, 0}, false},
      {"roots match the current one ignoring case",
       [](HostFixture& f) {
         f.prefix.AddFrontPage(kFP2000, kRoot2000);
         f.prefix.SetCurrentFrontPage("c:\\program files\\microsoft office\\office", false);
       },
       {0, 1, 0, 0}, {0, 1, 0, 0}, false},
      {"FrontPage 98 without kit items",
       [](HostFixture& f) {
         f.prefix.AddFrontPage(kFP98, "C:\\FP98").AddFrontPage(kFP2002, kRoot2002);
         f.Kit("fp2000/Pages/news/index.htm");
       },
       {0, 0, 1, 0}, {0, 0, 1, 0}, false},
      {"FrontPage 98 with kit items",
       [](HostFixture& f) {
         f.prefix.AddFrontPage(kFP98, "C:\\FP98").AddFrontPage(kFP2000, kRoot2000);
         f.Kit("fp98/Themes/blue/blue.inf", "title=Blue\n");
       },
       {1, 1, 0, 0}, {0, 0, 0, 0}, true},
      {"a missing probe verifies nothing",
       [](HostFixture& f) {
         f.prefix.AddFrontPage(kFP2002, kRoot2002, false).AddFrontPage(kFP2003, kRoot2003);
         f.prefix.SetCurrentFrontPage(kRoot2002, false);
       },
       {0, 0, 0, 1}, {0, 0, 0, 1}, false},
      {"refused keys count as missing",
       [](HostFixture& f) { f.prefix.AddFrontPage(kFP2002, kRoot2002).AddFrontPage(kFP2003, kRoot2003); },
       {0, 0, 0, 1}, {0, 0, 0, 1}, false, 2},
      {"roots lose one final backslash and are expanded",
       [kKey2002](HostFixture& f) {
         f.prefix.SetString(RegRoot::kLocalMachine, kKey2002, "Path", kRoot2002 + "\\");
         f.prefix.AddFile(kRoot2002 + "\\frontpg.exe");
         f.prefix.SetExpandString(RegRoot::kLocalMachine,
                                  "Software\\Microsoft\\Office\\11.0\\Common\\InstallRoot", "Path",
                                  "%USERPROFILE%\\Office11\\");
         f.prefix.AddFile("C:\\users\\tester\\Office11\\frontpg.exe");
         f.prefix.SetCurrentFrontPage("", false);  // an empty value counts as none
       },
       {0, 0, 1, 1}, {0, 0, 0, 0}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    HostFixture f;
    Flags ticked;
    f.ui.Queue(kIddVersions, [&ticked](DialogDriver& d) {
      for (int id : {kIdcFP98, kIdcFP2000, kIdcFP2002, kIdcFP2003}) ticked.push_back(d.control(id).Check());
      d.PressEnter();
    });
    c.machine(f);
    f.StartLogged();
    if (c.privilegeBoxes) {
      f.machine().FailOpenKey(kKey2002, kErrorAccessDenied);
      f.machine().FailOpenKey(kShellFolders, kErrorAccessDenied);
    }
    EXPECT_TRUE(f.wizard().DetectFrontPage());
    EXPECT_EQ(Found(f.wizard()), c.found);
    EXPECT_EQ(f.ui.runs(kIddVersions), c.asked ? 1 : 0);
    EXPECT_EQ(c.asked ? ticked : Installs(f.wizard()), c.preselected);
    EXPECT_EQ(f.ui.messageBoxes().size(), c.privilegeBoxes);
  }
}

}  // namespace
}  // namespace tpl::test
