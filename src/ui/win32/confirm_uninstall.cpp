// The Windows program's question before an uninstall: a message box.
#include <windows.h>

#include "app/uninstall_platform.h"
#include "res/strings.h"

namespace tpl {

bool ConfirmUninstall(const std::string& question) {
  const std::string text = question + "\nGo on?";
  const std::string title = LoadResString(kIdsAppTitle);
  return MessageBoxA(nullptr, text.c_str(), title.c_str(), MB_YESNO | MB_ICONQUESTION) == IDYES;
}

}  // namespace tpl
