// How the native program ends: at once, once its output is out.
#include <unistd.h>

#include <cstdio>
#include <iostream>

#include "app/platform.h"

namespace tpl {

int EndProgram(int status) {
  ProgramOut().flush();
  ProgramErr().flush();
  std::fflush(nullptr);
  _exit(status);
}

}  // namespace tpl
