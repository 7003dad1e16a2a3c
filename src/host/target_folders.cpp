// Where each FrontPage version keeps themes and templates, and which Office
// language folder the templates go to.
#include <algorithm>

#include "app/wizard_dlg.h"
#include "host/host_text.h"
#include "kit/c_numbers.h"
#include "kit/kit_layout.h"
#include "log/log_time.h"
#include "machine/file_find.h"

namespace tpl {
namespace {

const char kThemes[] = "\\themes";
const char kPages[] = "\\pages";
const char kWebs[] = "\\webs";
const char kFrames[] = "\\frames";
const char kDwtFolderFormat[] = "templates\\%d\\DWTs";
const char kTemplates[] = "templates\\";
const char kEveryEntry[] = "*";
const char kLanguageBaseFormat[] = "%stemplates\\%s\\";
const char kLcidFormat[] = "%d";
const char kLogNoAppData[] = "Failed to get Application Data directory from Registry";
const char kLogNoCommonFiles[] = "Failed to get Common Files directory from Registry";
const char kLogLanguageFolder[] = "This system has language folder %d (%s)";
const char kLogNoLanguageFolder[] = "No language folder found - using 1033";
const char kLogInvalidPagePath[] = "Page path has invalid format";
const char kLogMoveToC[] =
    "FrontPage is installed on %s drive, but templates must be installed on C drive.";
const char kLogNoChosenLanguageFolder[] = "%s has no language folder %s";

}  // namespace

bool CWizardDlg::ResolveTargetFolders() {
  bool result = true;
  switch (m_nHostVersion) {
    case kFP98:
      m_strHostRoot = m_strRootFP98;
      m_strKitVersionFolder = kKitFolderFP98;
      break;
    case kFP2000:
      m_strHostRoot = m_strRootFP2000;
      m_strKitVersionFolder = kKitFolderFP2000;
      break;
    case kFP2002:
      m_strHostRoot = m_strRootFP2002;
      m_strKitVersionFolder = kKitFolderFP2000;
      break;
    case kFP2003:
      m_strHostRoot = m_strRootFP2003;
      m_strKitVersionFolder = kKitFolderFP2000;
      break;
    default:
      break;
  }
  m_nStep = kStepLicence;
  const std::string parent = ParentOf(m_strHostRoot);

  if (m_nHostVersion == kFP98) {
    m_strThemesDir = m_strHostRoot + kThemes;
    m_strPagesDir = m_strHostRoot + kPages;
    m_strWebsDir = m_strHostRoot + kWebs;
    m_strFramesDir = m_strHostRoot + kFrames;
    return true;
  }

  // FrontPage 2003's folders, and the copies made for it when FrontPage 2000
  // or 2002 is the target, live in Application Data: without it they would
  // land in a drive's root or in a folder named after the failure.
  const bool needsAppData = m_nHostVersion == kFP2003 || m_bFoundFP2003;
  if (needsAppData && !m_bFoundAppData) {
    LogLine(kLogNoAppData);
    return false;
  }

  if (m_nHostVersion == kFP2003) {
    m_strThemesDir = g_strAppDataPath + kProfileThemes;
    m_strPagesDir = g_strAppDataPath + kProfilePages;
    m_strWebsDir = g_strAppDataPath + kProfileWebs;
    m_strFramesDir = g_strAppDataPath + kProfileFrames;
    m_strDwtDir = parent + FormatText(kDwtFolderFormat, kEnglishLcid);
    return true;
  }

  if (!ReadRegistryValue(g_strRegCurrentVersion, g_strValCommonFilesDir, m_strThemesDir,
                         kHiveLocalMachine)) {
    LogLine(kLogNoCommonFiles);
    return false;
  }
  m_strThemesDir += g_strSharedThemes;

  if (m_strLanguage.empty()) {
    m_strTemplatesRoot = parent + kTemplates;
    CFileFind finder(machine());
    bool more = finder.FindFile(m_strTemplatesRoot + kEveryEntry);
    while (more) {
      more = finder.FindNextFile();
      if (!finder.IsDirectory() || finder.IsDots()) continue;
      const int lcid = Atoi(finder.GetFileName());
      const std::string name = m_tblLanguages.GetLanguageName(lcid);
      if (name.empty()) continue;
      // Two versions sharing one templates folder offer each language once.
      const uint32_t folder = static_cast<uint32_t>(lcid);
      if (std::find(m_arrLangFolders.begin(), m_arrLangFolders.end(), folder) !=
          m_arrLangFolders.end()) {
        continue;
      }
      m_arrLangFolders.push_back(folder);
      LogLine(FormatText(kLogLanguageFolder, lcid, name.c_str()));
    }

    if (m_arrLangFolders.size() > 1) {
      m_nStep = kStepChooseLanguage;
      return true;
    }
    if (m_arrLangFolders.empty()) {
      m_arrLangFolders.push_back(kEnglishLcid);
      LogLine(kLogNoLanguageFolder);
    }
    m_strLanguage = FormatText(kLcidFormat, static_cast<int>(m_arrLangFolders.front()));
    m_nLanguageHostVersion = m_nHostVersion;
    m_arrLangFolders.clear();
  } else if (m_bLanguageChosen ||
             (m_nLanguageHostVersion >= 0 && m_nLanguageHostVersion != m_nHostVersion &&
              HasLanguageFolders(parent + kTemplates))) {
    // The language chosen for several versions, or settled by another
    // version's templates while this one has languages of its own, may be
    // missing beside this one: FrontPage would never read a folder made up
    // for it. (A kit's language marker settles it for every version, as the
    // kit asks.) Templates kept on drive C count.
    const std::string languageFolder = parent + kTemplates + m_strLanguage;
    if (!PathExists(machine(), languageFolder) &&
        !PathExists(machine(), "C" + languageFolder.substr(1))) {
      LogLine(FormatText(kLogNoChosenLanguageFolder, HostName(m_nHostVersion).c_str(),
                         languageFolder.c_str()));
      return false;
    }
  }

  if (m_nStep == kStepLicence) result = ResolveLanguageFolders();
  return result;
}

bool CWizardDlg::HasLanguageFolders(const std::string& templatesRoot) {
  CFileFind finder(machine());
  bool more = finder.FindFile(templatesRoot + kEveryEntry);
  while (more) {
    more = finder.FindNextFile();
    if (finder.IsDirectory() && !finder.IsDots() &&
        !m_tblLanguages.GetLanguageName(Atoi(finder.GetFileName())).empty()) {
      return true;
    }
  }
  return false;
}

bool CWizardDlg::ResolveLanguageFolders() {
  bool result = true;
  const std::string base =
      FormatText(kLanguageBaseFormat, ParentOf(m_strHostRoot).c_str(), m_strLanguage.c_str());
  m_strPagesDir = base + "pages";
  m_strWebsDir = base + "webs";
  m_strFramesDir = base + "frames";

  // FrontPage 2000 and 2002 read templates from drive C only: when Office
  // lives elsewhere and its templates folder was never made there, use C's.
  const size_t colon = m_strPagesDir.find(':');
  if (colon == std::string::npos) {
    LogLine(kLogInvalidPagePath);
    return false;
  }
  const std::string drive = m_strPagesDir.substr(0, colon);
  if (SameTextIgnoringCase(drive, "C")) return result;
  if (PathExists(machine(), m_strPagesDir)) return result;
  if (PathExists(machine(), "C" + m_strPagesDir.substr(1))) {
    LogLine(FormatText(kLogMoveToC, drive.c_str()));
    m_strPagesDir[0] = 'C';
    m_strWebsDir[0] = 'C';
    m_strFramesDir[0] = 'C';
  }
  return result;
}

}  // namespace tpl
