// The host tests' machine: a wizard on a Wine prefix with FrontPage's usual
// folders.
#pragma once

#include <string>

#include "res/strings.h"
#include "support/wizard_fixture.h"

namespace tpl::test {

inline const std::string kOffice = "C:\\Program Files\\Microsoft Office";
inline const std::string kRoot2000 = kOffice + "\\Office";
inline const std::string kRoot2002 = kOffice + "\\Office10";
inline const std::string kRoot2003 = kOffice + "\\OFFICE11";
inline const std::string kShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

using HostFixture = WizardFixture;

}  // namespace tpl::test
