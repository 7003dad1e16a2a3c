// The native program writes to its standard output and error as they are.
#include <iostream>

#include "app/platform.h"

namespace tpl {

std::ostream& ProgramOut() { return std::cout; }
std::ostream& ProgramErr() { return std::cerr; }

}  // namespace tpl
