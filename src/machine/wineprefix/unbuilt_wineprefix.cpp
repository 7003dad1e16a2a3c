// Placeholder until the wineprefix machine lands; delete this file when it does.
#include "machine/wineprefix/wine_prefix_machine.h"

namespace tpl {
std::unique_ptr<Machine> MakeWinePrefixMachine(const WinePrefixOptions&) { return nullptr; }
}  // namespace tpl
