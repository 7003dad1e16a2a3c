// win32_checks [machine|front-end]: runs one group of checks, or both.
#include <cstdio>
#include <cstring>

#include "checks.h"

namespace checks {
namespace {
int g_passed = 0;
int g_failed = 0;
}  // namespace

std::string Num(long long value) { return std::to_string(value); }

void Check(bool ok, const std::string& what, const std::string& detail) {
  if (ok) {
    ++g_passed;
  } else {
    ++g_failed;
    std::printf("FAILED: %s%s%s\n", what.c_str(), detail.empty() ? "" : " -- ", detail.c_str());
  }
}

void CheckEqual(long long got, long long want, const std::string& what) {
  Check(got == want, what, "got " + Num(got) + ", want " + Num(want));
}

void CheckText(const std::string& got, const std::string& want, const std::string& what) {
  Check(got == want, what, "got \"" + got + "\", want \"" + want + "\"");
}

}  // namespace checks

int main(int argc, char** argv) {
  const char* group = argc > 1 ? argv[1] : "";
  if (!*group || std::strcmp(group, "machine") == 0) checks::RunMachineChecks();
  if (!*group || std::strcmp(group, "front-end") == 0) checks::RunFrontEndChecks();
  std::printf("%d passed, %d failed\n", checks::g_passed, checks::g_failed);
  std::fflush(stdout);
  return checks::g_failed == 0 ? 0 : 1;
}
