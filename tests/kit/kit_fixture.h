// A wizard on a test machine with its log open, and short views of the kit
// lists for the kit tests.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "support/wizard_fixture.h"

namespace tpl::test {

class KitFixture : public WizardFixture {
 public:
  // Starts the wizard and opens its log; NewLogLines() gives what follows
  // the log's head.
  void StartLogged() {
    Start();
    wizard().m_bLogEnabled = true;
    wizard().OpenLog();
    head_ = LogLines().size();
  }
  std::vector<std::string> NewLogLines() const {
    const std::vector<std::string> lines = LogLines();
    return {lines.begin() + static_cast<long>(std::min(head_, lines.size())), lines.end()};
  }

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

 private:
  size_t head_ = 0;
};

using Strings = std::vector<std::string>;
using Themes = std::vector<std::pair<std::string, std::string>>;

}  // namespace tpl::test
