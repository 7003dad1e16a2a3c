// Short views of the kit lists for the kit tests.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "support/wizard_fixture.h"

namespace tpl::test {

using Strings = std::vector<std::string>;
using Themes = std::vector<std::pair<std::string, std::string>>;

class KitFixture : public WizardFixture {
 public:
  // (name, title) of every theme listed, in order.
  std::vector<std::pair<std::string, std::string>> Themes() {
    std::vector<std::pair<std::string, std::string>> themes;
    for (const auto& theme : wizard().m_arrThemes) {
      themes.emplace_back(theme->GetName(), theme->GetTitle());
    }
    return themes;
  }
  std::vector<double> Versions() {
    std::vector<double> versions;
    for (const auto& theme : wizard().m_arrThemes) versions.push_back(theme->GetVersion());
    return versions;
  }
};

}  // namespace tpl::test
