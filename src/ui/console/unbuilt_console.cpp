// Placeholder until the terminal front end lands; delete this file when it does.
#include "app/platform.h"

namespace tpl {
std::unique_ptr<FrontEnd> MakeInteractiveFrontEnd(Machine&) { return nullptr; }
}  // namespace tpl
