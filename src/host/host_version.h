// The four FrontPage versions and their names.
#pragma once

#include <string>

namespace tpl {

// Always handled in this order.
enum HostVersion : int { kFP98 = 0, kFP2000 = 1, kFP2002 = 2, kFP2003 = 3 };
constexpr int kHostVersionCount = 4;
constexpr int kNoVersion = -1;  // m_nCurrentVersion before detection names one

// "98" ... "2003": log lines, kit checks, the command line.
inline const char* const kHostVersionNames[kHostVersionCount] = {"98", "2000", "2002", "2003"};

// "FrontPage 98" ... "FrontPage 2003"; "" for any other value.
inline std::string HostName(int hostVersion) {
  if (hostVersion < kFP98 || hostVersion > kFP2003) return "";
  return std::string("FrontPage ") + kHostVersionNames[hostVersion];
}

}  // namespace tpl
