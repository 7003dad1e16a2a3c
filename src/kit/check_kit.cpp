// CheckKit: lists the kit folders a version installs from, reads the kit's
// language marker, and shows the install plan.
#include "app/wizard_dlg.h"
#include "host/registry_keys.h"
#include "kit/install_plan.h"
#include "kit/kit_layout.h"
#include "kit/language_marker.h"

namespace tpl {
namespace {

const char kLogChecking[] = "Checking kit for items to install...";
const char kModeFP98[] = "98";
const char kModePrint[] = "print";

bool IsFP2000Family(const std::string& mode) {
  return mode == "2000" || mode == "2002" || mode == "2003";
}

}  // namespace

bool CWizardDlg::CheckKit(std::string strMode) {
  LogLine(kLogChecking);
  // The folders listed are the ones the copy step copies for the version, in
  // the same order: the plan shows what will really be installed.
  bool found = false;
  if (IsFP2000Family(strMode)) {
    FindKitItems(g_strKitCommon);
    FindKitItems(kKitFolderFP2000);
  } else if (strMode == kModeFP98) {
    found = FindKitItems(kKitFolderFP98);
    FindKitItems(g_strKitCommon);
  }

  if (strMode == kModePrint) {
    SetStatus(BuildInstallPlan(*this));
    return true;
  }
  if (found) ReadLanguageMarker(*this);
  return true;
}

}  // namespace tpl
