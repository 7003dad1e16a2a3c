#include "install/copy_plan.h"

#include <map>

#include "app/wizard_dlg.h"

namespace tpl {
namespace {

// When a row runs.
enum class When {
  kAlways,
  kWith2003,  // the target is FP2000 or FP2002 and FrontPage 2003 is there too
  kFor2003,   // the target is FP2003
};

// Which kit folder a row copies from.
enum class From { kVersionFolder, kCommonFolder };

const char kThemes[] = "\\themes";
const char kPages[] = "\\pages";
const char kWebs[] = "\\webs";
const char kFrames[] = "\\frames";
const char kDwts[] = "\\dwts";

// FrontPage 2003 looks for the other versions' folders with "11" appended.
const char k2003Suffix[] = "11";

using Destination = std::string (*)(const CWizardDlg&);

struct PlanEntry {
  When when;
  const char* logText;
  From from;
  const char* kitKind;
  Destination destination;
};

// Within each kind the version folder goes before the common one, so that
// the common copy of a file present in both is the one left installed.
const PlanEntry kPlan[] = {
    {When::kAlways, "Copying version-specific themes to ", From::kVersionFolder, kThemes,
     [](const CWizardDlg& w) { return w.m_strThemesDir; }},
    {When::kAlways, "Copying common themes to ", From::kCommonFolder, kThemes,
     [](const CWizardDlg& w) { return w.m_strThemesDir; }},
    {When::kWith2003, "Copying version-specific 2003 themes to ", From::kVersionFolder, kThemes,
     [](const CWizardDlg& w) { return w.m_strThemesDir + k2003Suffix; }},
    {When::kWith2003, "Copying common 2003 themes to ", From::kCommonFolder, kThemes,
     [](const CWizardDlg& w) { return w.m_strThemesDir + k2003Suffix; }},
    {When::kWith2003, "Copying version-specific profile themes to ", From::kVersionFolder, kThemes,
     [](const CWizardDlg&) { return g_strAppDataPath + kProfileThemes; }},
    {When::kWith2003, "Copying common profile themes to ", From::kCommonFolder, kThemes,
     [](const CWizardDlg&) { return g_strAppDataPath + kProfileThemes; }},

    {When::kAlways, "Copying version-specific page templates to ", From::kVersionFolder, kPages,
     [](const CWizardDlg& w) { return w.m_strPagesDir; }},
    {When::kAlways, "Copying common page templates to ", From::kCommonFolder, kPages,
     [](const CWizardDlg& w) { return w.m_strPagesDir; }},
    {When::kWith2003, "Copying version-specific 2003 page templates to ", From::kVersionFolder,
     kPages, [](const CWizardDlg& w) { return w.m_strPagesDir + k2003Suffix; }},
    {When::kWith2003, "Copying common 2003 page templates to ", From::kCommonFolder, kPages,
     [](const CWizardDlg& w) { return w.m_strPagesDir + k2003Suffix; }},
    {When::kWith2003, "Copying version-specific profile page templates to ", From::kVersionFolder,
     kPages, [](const CWizardDlg&) { return g_strAppDataPath + kProfilePages; }},
    {When::kWith2003, "Copying common profile page templates to ", From::kCommonFolder, kPages,
     [](const CWizardDlg&) { return g_strAppDataPath + kProfilePages; }},

    {When::kAlways, "Copying version-specific web templates to ", From::kVersionFolder, kWebs,
     [](const CWizardDlg& w) { return w.m_strWebsDir; }},
    {When::kAlways, "Copying common web templates to ", From::kCommonFolder, kWebs,
     [](const CWizardDlg& w) { return w.m_strWebsDir; }},
    {When::kWith2003, "Copying version-specific 2003 web templates to ", From::kVersionFolder,
     kWebs, [](const CWizardDlg& w) { return w.m_strWebsDir + k2003Suffix; }},
    {When::kWith2003, "Copying common 2003 web templates to ", From::kCommonFolder, kWebs,
     [](const CWizardDlg& w) { return w.m_strWebsDir + k2003Suffix; }},
    {When::kWith2003, "Copying version-specific profile web templates to ", From::kVersionFolder,
     kWebs, [](const CWizardDlg&) { return g_strAppDataPath + kProfileWebs; }},
    {When::kWith2003, "Copying common profile web templates to ", From::kCommonFolder, kWebs,
     [](const CWizardDlg&) { return g_strAppDataPath + kProfileWebs; }},

    {When::kAlways, "Copying version-specific frame templates to ", From::kVersionFolder, kFrames,
     [](const CWizardDlg& w) { return w.m_strFramesDir; }},
    {When::kAlways, "Copying common frame templates to ", From::kCommonFolder, kFrames,
     [](const CWizardDlg& w) { return w.m_strFramesDir; }},
    {When::kWith2003, "Copying version-specific 2003 frame templates to ", From::kVersionFolder,
     kFrames, [](const CWizardDlg& w) { return w.m_strFramesDir + k2003Suffix; }},
    {When::kWith2003, "Copying common 2003 frame templates to ", From::kCommonFolder, kFrames,
     [](const CWizardDlg& w) { return w.m_strFramesDir + k2003Suffix; }},
    {When::kWith2003, "Copying version-specific profile frame templates to ", From::kVersionFolder,
     kFrames, [](const CWizardDlg&) { return g_strAppDataPath + kProfileFrames; }},
    {When::kWith2003, "Copying common profile frame templates to ", From::kCommonFolder, kFrames,
     [](const CWizardDlg&) { return g_strAppDataPath + kProfileFrames; }},

    // There is no version-specific DWT folder in a kit: both rows copy the
    // common one.
    {When::kFor2003, "Copying version-specific profile dwt templates to ", From::kCommonFolder,
     kDwts, [](const CWizardDlg& w) { return w.m_strDwtDir; }},
    {When::kFor2003, "Copying common profile dwt templates to ", From::kCommonFolder, kDwts,
     [](const CWizardDlg&) { return g_strAppDataPath + kProfileDwts; }},
};

bool Runs(When when, const CWizardDlg& wizard) {
  const int host = wizard.m_nHostVersion;
  switch (when) {
    case When::kAlways:
      return true;
    case When::kWith2003:
      return (host == kFP2000 || host == kFP2002) && wizard.m_bFoundFP2003;
    case When::kFor2003:
      return host == kFP2003;
  }
  return false;
}

}  // namespace

std::vector<CopyPlanRow> CopyPlanFor(const CWizardDlg& wizard) {
  std::vector<CopyPlanRow> rows;
  for (const PlanEntry& entry : kPlan) {
    if (!Runs(entry.when, wizard)) continue;
    const std::string& folder =
        entry.from == From::kVersionFolder ? wizard.m_strKitVersionFolder : g_strKitCommon;
    rows.push_back({entry.logText, folder + entry.kitKind, entry.destination(wizard), 0});
  }
  return rows;
}

std::vector<CopyPlanRow> CountedCopyPlanFor(CWizardDlg& wizard) {
  std::vector<CopyPlanRow> rows = CopyPlanFor(wizard);
  // A kit folder goes to several destinations (one per version, the
  // profile's), and its count does not depend on where: counted once.
  std::map<std::string, int> counted;
  for (CopyPlanRow& row : rows) {
    const auto [known, isNew] = counted.try_emplace(row.source, 0);
    if (isNew) known->second = wizard.CopyFolder(row.source, row.destination, false);
    row.fileCount = known->second;
  }
  return rows;
}

}  // namespace tpl
