// What the install benchmarks share: the destinations of a FrontPage 2002
// installation below C:\dest, and the same copies made by `cp -r`.
#pragma once

#include <algorithm>
#include <string>

#include "install/copy_plan.h"
#include "support/wizard_fixture.h"

namespace tpl::test {

// Points the wizard at the destinations and opens its full log.
inline void PointAtDestinations(CWizardDlg& wizard) {
  wizard.m_nHostVersion = kFP2002;
  wizard.m_bFoundFP2003 = false;
  wizard.m_strLanguage = "1033";
  wizard.m_strKitVersionFolder = "fp2000";
  wizard.m_strThemesDir = "C:\\dest\\Common Files\\Microsoft Shared\\themes";
  wizard.m_strPagesDir = "C:\\dest\\Office\\templates\\1033\\pages";
  wizard.m_strWebsDir = "C:\\dest\\Office\\templates\\1033\\webs";
  wizard.m_strFramesDir = "C:\\dest\\Office\\templates\\1033\\frames";
  wizard.m_bLogEnabled = true;
  wizard.OpenLog();
}

// One shell command that copies every row's source tree like the install
// does: missing destination folders made, existing files overwritten.
inline std::string CpCommand(WizardFixture& f) {
  std::string script;
  for (const CopyPlanRow& row : CopyPlanFor(f.wizard())) {
    std::string source = row.source;
    std::replace(source.begin(), source.end(), '\\', '/');
    const std::string dest = f.HostPath(row.destination);
    script += "mkdir -p '" + dest + "' && cp -r '" + f.kitDir + "/" + source + "/.' '" + dest +
              "' && ";
  }
  return script + "true";
}

}  // namespace tpl::test
