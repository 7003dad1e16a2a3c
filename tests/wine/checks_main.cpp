// win32_checks: prints the answers of the win32 machine's and the win32
// front end's checks, one line each.
#include <cstdio>

#include "checks.h"

namespace checks {

std::string Num(long long value) { return std::to_string(value); }

std::string Bits(std::initializer_list<bool> bits) {
  std::string text;
  for (bool bit : bits) text += bit ? '1' : '0';
  return text;
}

std::string Join(std::initializer_list<std::string> parts) {
  std::string text;
  for (const std::string& part : parts) {
    if (!part.empty()) text += (text.empty() ? "" : " ") + part;
  }
  return text;
}

// Control characters are shown as \0, \r and \n: each answer is one line.
void Print(const std::vector<Row>& rows) {
  for (const Row& row : rows) {
    std::string shown;
    for (char c : row.answer()) {
      shown += c == '\0' ? "\\0" : c == '\r' ? "\\r" : c == '\n' ? "\\n" : std::string(1, c);
    }
    std::printf("%s: %s\n", row.what.c_str(), shown.empty() ? "(nothing)" : shown.c_str());
  }
  std::fflush(stdout);
}

}  // namespace checks

int main() {
  checks::RunMachineChecks();
  checks::RunFrontEndChecks();
}
