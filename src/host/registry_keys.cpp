#include "host/registry_keys.h"

namespace tpl {

const std::string g_strRegSoftwareMicrosoft = "Software\\Microsoft\\";
const std::string g_strRegFrontPage3 = "FrontPage\\3.0";
const std::string g_strValFrontPageRoot = "FrontPageRoot";
const std::string g_strRegAppPathsFrontpg = "Windows\\CurrentVersion\\App Paths\\frontpg.exe";
const std::string g_strRegOffice9Root = "Office\\9.0\\Common\\InstallRoot";
const std::string g_strRegOffice10Root = "Office\\10.0\\Common\\InstallRoot";
const std::string g_strRegOffice11Root = "Office\\11.0\\Common\\InstallRoot";
const std::string g_strValPath = "Path";
const std::string g_strFileFpexplor = "\\bin\\fpexplor.exe";
const std::string g_strFileFrontpg = "\\frontpg.exe";
const std::string g_strRegExplorer = "Windows\\CurrentVersion\\Explorer\\";
const std::string g_strRegTempFilesCache = "VolumeCaches\\Temporary files";
const std::string g_strValFolder = "folder";
const std::string g_strRegCurrentVersion = "Windows\\CurrentVersion";
const std::string g_strValCommonFilesDir = "CommonFilesDir";
const std::string g_strSharedThemes = "\\Microsoft Shared\\themes";
const std::string g_strKitCommon = "common";
const std::string g_strRegShellFolders = "Windows\\CurrentVersion\\Explorer\\Shell Folders";
const std::string g_strValAppData = "AppData";

std::string g_strAppDataPath;

}  // namespace tpl
