// The program's entry point on every build (the Windows program is linked
// as a GUI program; its C runtime still hands the arguments to main).
#include <string>
#include <vector>

#include "app/command_line.h"

int main(int argc, char** argv) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
  return tpl::ProgramMain(args);
}
