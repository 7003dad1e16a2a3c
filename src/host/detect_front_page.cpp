// Finds the installed FrontPage versions: registry, probe files, defaults.
#include "app/wizard_dlg.h"
#include "host/host_text.h"
#include "kit/kit_layout.h"
#include "res/strings.h"

namespace tpl {
namespace {

const char kLogChecking[] = "Checking FrontPage installation...";
const char kLogLookingFP98[] = "Looking for FP98";
const char kLogFP98Verify[] = "FP98 found, verify executable";
const char kLogFP98NotInKit[] = "FrontPage 98 not allowed because nothing in the kit";
const char kLogFP98Verified[] = "FP98 found and verified";
const char kLogLookingCurrent[] = "Looking for current version of FrontPage";
const char kLogCurrentAt[] = "A current version was found at: ";
const char kLogCurrentVerified[] = "Current FP200x version found and verified";
const char kLogCurrentNotVerified[] =
    "Although a current version should have been found, not verified";
const char kLogLookingFor[] = "Looking for ";
const char kLogVerifySuffix[] = " found, verify executable";
const char kLogVerifiedSuffix[] = " found and verified";
const char kLogLookingAppData[] = "Looking for Application Data Path";
const char kLogOnlyCurrent[] = "Registry lookups failed, but did find a current version";
const char kLogFP98FoundIn[] = "FrontPage 98 found in ";
const char kLogCurrentFoundIn[] = "FrontPage Current Version found in ";
const char kLogCurrentIs2000[] = "Current version is FrontPage 2000";
const char kLogCurrentIs2002[] = "Current version is FrontPage 2002";
const char kLogCurrentIs2003[] = "Current version is FrontPage 2003";
const char kLogAssuming2000[] = "Cannot determine current version - assuming FP2000";
const char kLogFP2000FoundIn[] = "FrontPage 2000 found in ";
const char kLogFP2002FoundIn[] = "FrontPage 2002 found in ";
const char kLogFP2003FoundIn[] = "FrontPage 2003 found in ";
const char kLogAppDataPath[] = "Common Application data path ";
const char kLogNothingFound[] = "No FrontPage installation found";
const char kLogAskingUser[] = "More than one version found, asking which versions to install to.";
const char kLogOnlyOne[] = "Only one version found, so just assume to install to this.";

}  // namespace

bool CWizardDlg::DetectFrontPage() {
  int count = 0;  // versions verified through their own registry key

  m_bInstallFP98 = m_bInstallFP2000 = m_bInstallFP2002 = m_bInstallFP2003 = 0;
  LogLine(kLogChecking);
  SetStatus(kIdsSearching);

  LogLine(kLogLookingFP98);
  m_bFoundFP98 = ReadRegistryValue(g_strRegFrontPage3, g_strValFrontPageRoot, m_strRootFP98,
                                   kHiveLocalMachine);
  if (m_bFoundFP98) {
    LogLine(kLogFP98Verify);
    m_bFoundFP98 = PathExists(machine(), m_strRootFP98 + g_strFileFpexplor);
    if (m_bFoundFP98) {
      if (!FindKitItems(kKitFolderFP98)) {
        m_bFoundFP98 = false;
        LogLine(kLogFP98NotInKit);
      }
      // Only asked whether the kit has FP98 items; the kit checks list them later.
      EmptyKitLists();
    }
    if (m_bFoundFP98) {
      count = 1;
      LogLine(kLogFP98Verified);
    }
  }

  LogLine(kLogLookingCurrent);
  std::string current;
  m_bFoundCurrent =
      ReadRegistryValue(g_strRegAppPathsFrontpg, g_strValPath, current, kHiveLocalMachine);
  if (m_bFoundCurrent) {
    LogLine(kLogCurrentAt + current);
    m_bFoundCurrent = PathExists(machine(), current + g_strFileFrontpg);
    LogLine(m_bFoundCurrent ? kLogCurrentVerified : kLogCurrentNotVerified);
  }

  struct OfficeRow {
    const char* label;
    const std::string& key;
    std::string& root;
    bool& found;
  };
  const OfficeRow rows[] = {
      {"FP2000", g_strRegOffice9Root, m_strRootFP2000, m_bFoundFP2000},
      {"FP2002", g_strRegOffice10Root, m_strRootFP2002, m_bFoundFP2002},
      {"FP2003", g_strRegOffice11Root, m_strRootFP2003, m_bFoundFP2003},
  };
  for (const OfficeRow& row : rows) {
    LogLine(kLogLookingFor + std::string(row.label));
    row.found = ReadRegistryValue(row.key, g_strValPath, row.root, kHiveLocalMachine);
    if (!row.found) continue;
    LogLine(row.label + std::string(kLogVerifySuffix));
    row.found = PathExists(machine(), row.root + g_strFileFrontpg);
    if (row.found) {
      ++count;
      LogLine(row.label + std::string(kLogVerifiedSuffix));
    }
  }

  LogLine(kLogLookingAppData);
  m_bFoundAppData =
      ReadRegistryValue(g_strRegShellFolders, g_strValAppData, g_strAppDataPath, kHiveCurrentUser);

  const bool anyFound = count > 0 || m_bFoundCurrent;
  if (m_bFoundCurrent && count == 0) LogLine(kLogOnlyCurrent);

  if (anyFound) {
    // Each block overrides m_nHostVersion: the newest version found wins.
    if (m_bFoundFP98) {
      m_nHostVersion = kFP98;
      m_bInstallFP98 = 1;
      LogLine(kLogFP98FoundIn + m_strRootFP98);
    }
    if (m_bFoundCurrent) {
      LogLine(kLogCurrentFoundIn + current);
      // The roots as read, whether or not their probe file was there.
      if (SameTextIgnoringCase(current, m_strRootFP2000)) {
        m_nHostVersion = m_nCurrentVersion = kFP2000;
        m_bInstallFP2000 = 1;
        LogLine(kLogCurrentIs2000);
      } else if (SameTextIgnoringCase(current, m_strRootFP2002)) {
        m_nHostVersion = m_nCurrentVersion = kFP2002;
        m_bInstallFP2002 = 1;
        LogLine(kLogCurrentIs2002);
      } else if (SameTextIgnoringCase(current, m_strRootFP2003)) {
        m_nHostVersion = m_nCurrentVersion = kFP2003;
        m_bInstallFP2003 = 1;
        LogLine(kLogCurrentIs2003);
      } else {
        m_strRootFP2000 = current;
        m_nHostVersion = m_nCurrentVersion = kFP2000;
        m_bInstallFP2000 = 1;
        LogLine(kLogAssuming2000);
      }
    }
    if (m_bFoundFP2000) {
      m_nHostVersion = kFP2000;
      m_bInstallFP2000 = 1;
      LogLine(kLogFP2000FoundIn + m_strRootFP2000);
    }
    if (m_bFoundFP2002) {
      m_nHostVersion = kFP2002;
      m_bInstallFP2002 = 1;
      LogLine(kLogFP2002FoundIn + m_strRootFP2002);
    }
    if (m_bFoundFP2003) {
      m_nHostVersion = kFP2003;
      m_bInstallFP2003 = 1;
      LogLine(kLogFP2003FoundIn + m_strRootFP2003);
    }
    LogLine(kLogAppDataPath + g_strAppDataPath);
  } else {
    LogLine(kLogNothingFound);
    AfxMessageBox(LoadResString(kIdsNotFound), kMbIconStop);
    ShowEndScreen(kIdsFailed);
  }

  if (count > 1) {
    m_bInstallFP98 = m_bInstallFP2000 = m_bInstallFP2002 = m_bInstallFP2003 = 0;
    LogLine(kLogAskingUser);
    ChooseVersions();
  } else {
    LogLine(kLogOnlyOne);
  }
  LogLine("");
  return anyFound;
}

}  // namespace tpl
