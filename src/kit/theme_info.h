// One theme found in the kit: folder name, title and version from its
// description file.
#pragma once

#include <string>

namespace tpl {

class CThemeInfo {
 public:
  CThemeInfo(std::string name, std::string title, double version)
      : m_strName(std::move(name)), m_strTitle(std::move(title)), m_dVersion(version) {}

  std::string GetTitle() const { return m_strTitle; }
  double GetVersion() const { return m_dVersion; }
  const std::string& GetName() const { return m_strName; }

 private:
  std::string m_strName;
  std::string m_strTitle;
  double m_dVersion;
};

}  // namespace tpl
