#include "record/recorded_destinations.h"

#include <algorithm>
#include <set>
#include <utility>

#include "app/wizard_dlg.h"
#include "host/host_text.h"
#include "host/registry_keys.h"
#include "install/copy_plan.h"

namespace tpl {
namespace {

// `path` lies inside `folder` (ignoring case), not at it.
bool IsInside(const std::string& path, const std::string& folder) {
  return path.size() > folder.size() + 1 && path[folder.size()] == '\\' &&
         StartsWithIgnoringCase(path, folder);
}

// The install roots, read as detection reads them but without its dialogs.
void ReadInstallRoots(CWizardDlg& wizard) {
  wizard.ReadRegistryValue(g_strRegFrontPage3, g_strValFrontPageRoot, wizard.m_strRootFP98,
                           kHiveLocalMachine);
  wizard.ReadRegistryValue(g_strRegOffice9Root, g_strValPath, wizard.m_strRootFP2000,
                           kHiveLocalMachine);
  wizard.ReadRegistryValue(g_strRegOffice10Root, g_strValPath, wizard.m_strRootFP2002,
                           kHiveLocalMachine);
  wizard.m_bFoundFP2003 = wizard.ReadRegistryValue(g_strRegOffice11Root, g_strValPath,
                                                   wizard.m_strRootFP2003, kHiveLocalMachine);
  if (wizard.m_strRootFP2000.empty()) {
    // Detection takes a current version it cannot place for FrontPage 2000.
    wizard.ReadRegistryValue(g_strRegAppPathsFrontpg, g_strValPath, wizard.m_strRootFP2000,
                             kHiveLocalMachine);
  }
  wizard.m_bFoundAppData = wizard.ReadRegistryValue(g_strRegShellFolders, g_strValAppData,
                                                    g_strAppDataPath, kHiveCurrentUser);
}

}  // namespace

std::vector<std::string> RecordedDestinations(CWizardDlg& wizard, const Record& record) {
  constexpr int kStepChooseLanguage = 1;
  ReadInstallRoots(wizard);
  std::set<std::pair<int, std::string>> resolved;
  std::vector<std::string> folders;
  for (const RecordedRun& run : record.runs) {
    if (!resolved.insert({run.version, run.language}).second) continue;
    wizard.m_nHostVersion = run.version;
    wizard.m_strLanguage = run.language == "-" ? "" : run.language;
    wizard.m_strDwtDir.clear();
    if (!wizard.ResolveTargetFolders() || wizard.m_nStep == kStepChooseLanguage) continue;
    for (const CopyPlanRow& row : CopyPlanFor(wizard)) {
      // A folder that failed to resolve ("\themes" alone) is no destination.
      if (row.destination.find(':') == 1) folders.push_back(row.destination);
    }
  }
  return folders;
}

int FirstLineOutside(const Record& record, const std::vector<std::string>& destinations) {
  int first = 0;
  auto note = [&first](int line) { first = first == 0 ? line : std::min(first, line); };
  for (size_t i = 0; i < record.files.size(); ++i) {
    const std::string& path = record.files[i].path;
    if (std::none_of(destinations.begin(), destinations.end(),
                     [&](const std::string& folder) { return IsInside(path, folder); })) {
      note(record.fileLines[i]);
    }
  }
  for (size_t i = 0; i < record.folders.size(); ++i) {
    const std::string& path = record.folders[i];
    if (std::none_of(destinations.begin(), destinations.end(), [&](const std::string& folder) {
          return IsInside(path, folder) || SameTextIgnoringCase(path, folder) ||
                 IsInside(folder, path);
        })) {
      note(record.folderLines[i]);
    }
  }
  return first;
}

}  // namespace tpl
