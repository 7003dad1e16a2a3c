// Placeholder until the error texts land; delete this file when they do.
#include "machine/errors.h"

namespace tpl {
std::string WindowsSystemMessage(ErrorCode) { return ""; }
}  // namespace tpl
