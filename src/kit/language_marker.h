// The kit's language marker file: "*.lang" in the kit's top folder, named by
// a decimal LCID; its content is never read.
#pragma once

#include "app/wizard_dlg.h"

namespace tpl {

// The first marker file found sets wizard.m_strLanguage to its name without
// the extension when the language table knows its number; an unknown number
// is logged and changes nothing.
void ReadLanguageMarker(CWizardDlg& wizard);

}  // namespace tpl
