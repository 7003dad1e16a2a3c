// The system facts a program in the prefix is told (GetVersionExA,
// GetWindowsDirectoryA, GetTempPathA, GetUserNameA), read from the prefix's
// registry the way Wine answers them.
#pragma once

#include <string>

#include "machine/machine.h"

namespace tpl {

class Environment;
class RegistryView;

// Platform 2; the major/minor DWORDs of Windows NT\CurrentVersion when both
// are there, else its "CurrentVersion" string; "CurrentBuildNumber";
// "CSDVersion". A prefix without the key reports Wine's default, Windows 7 SP1.
OsVersionInfo ReadOsVersion(RegistryView& registry);

// The key's "SystemRoot" without a final backslash, else "C:\windows".
std::string ReadWindowsFolder(RegistryView& registry);

// The first of TMP, TEMP, USERPROFILE that is set, else the Windows folder;
// always ending in a backslash.
std::string ChooseTempPath(const Environment& environment, const std::string& windowsFolder);

// `configured` when given, else $USER, else the name of the Unix user.
ErrorCode FindUserName(const std::string& configured, std::string* name);

}  // namespace tpl
