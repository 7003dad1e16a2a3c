// The terminal's question before an uninstall.
#include <iostream>

#include "app/platform.h"
#include "app/uninstall_platform.h"

namespace tpl {

bool ConfirmUninstall(const std::string& key, const std::string& actions) {
  std::ostream& out = ProgramOut();
  out << "Uninstalling " << key << " will\n" << actions << "Go on? [y/N] " << std::flush;
  std::string answer;
  if (!std::getline(std::cin, answer)) {
    out << "\n";
    return false;
  }
  return answer == "y" || answer == "Y" || answer == "yes";
}

}  // namespace tpl
