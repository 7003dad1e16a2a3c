// The registry keys, values and probe files the installer uses. Every key is
// relative: ReadRegistryValue puts g_strRegSoftwareMicrosoft before it.
#pragma once

#include <string>

namespace tpl {

extern const std::string g_strRegSoftwareMicrosoft;
extern const std::string g_strRegFrontPage3;
extern const std::string g_strValFrontPageRoot;
extern const std::string g_strRegAppPathsFrontpg;
extern const std::string g_strRegOffice9Root;
extern const std::string g_strRegOffice10Root;
extern const std::string g_strRegOffice11Root;
extern const std::string g_strValPath;
extern const std::string g_strFileFpexplor;
extern const std::string g_strFileFrontpg;
extern const std::string g_strRegExplorer;
extern const std::string g_strRegTempFilesCache;
extern const std::string g_strValFolder;
extern const std::string g_strRegCurrentVersion;
extern const std::string g_strValCommonFilesDir;
extern const std::string g_strSharedThemes;
extern const std::string g_strKitCommon;
extern const std::string g_strRegShellFolders;
extern const std::string g_strValAppData;

// The user's Application Data folder, written by DetectFrontPage.
extern std::string g_strAppDataPath;

// FrontPage 2003's folders below g_strAppDataPath.
inline constexpr char kProfileThemes[] = "\\Microsoft\\Themes";
inline constexpr char kProfilePages[] = "\\Microsoft\\FrontPage\\Pages";
inline constexpr char kProfileWebs[] = "\\Microsoft\\FrontPage\\Webs";
inline constexpr char kProfileFrames[] = "\\Microsoft\\FrontPage\\Frames";
inline constexpr char kProfileDwts[] = "\\Microsoft\\FrontPage\\DWTs";

}  // namespace tpl
