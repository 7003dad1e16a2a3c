// The terminal's question before an uninstall.
#include <iostream>

#include "app/platform.h"
#include "app/uninstall_platform.h"

namespace tpl {

bool ConfirmUninstall(const std::string& question) {
  std::ostream& out = ProgramOut();
  out << question << "Go on? [y/N] " << std::flush;
  std::string answer;
  if (!std::getline(std::cin, answer)) {
    out << "\n";
    return false;
  }
  return answer == "y" || answer == "Y" || answer == "yes";
}

}  // namespace tpl
