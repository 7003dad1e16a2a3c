// A terminal front end on string streams, over a machine with the kit's
// text files in memory.
#pragma once

#include <sstream>
#include <string>

#include "kit_text_machine.h"
#include "ui/console/console_front_end.h"

namespace tpl::test {

struct ConsoleSession {
  explicit ConsoleSession(const std::string& input, ConsoleOptions options = {})
      : in(input), ui(machine, in, out, std::move(options)) {}

  std::string Output() const { return out.str(); }
  // What is still unread of the input.
  std::string Unread() {
    std::string rest;
    std::getline(in, rest, '\0');
    return rest;
  }

  KitTextMachine machine;
  std::istringstream in;
  std::ostringstream out;
  ConsoleFrontEnd ui;
};

// How often `part` occurs in `text`.
inline int Count(const std::string& text, const std::string& part) {
  int count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
    ++count;
  }
  return count;
}

}  // namespace tpl::test
