// A terminal front end on string streams over the wizard fixture's machine
// (no FrontPage unless a test adds it before Start); the machine's pauses
// are recorded, not slept.
#pragma once

#include <memory>
#include <sstream>
#include <string>

#include "support/wizard_fixture.h"
#include "ui/console/console_front_end.h"

namespace tpl::test {

struct ConsoleSession {
  explicit ConsoleSession(const std::string& input, ConsoleOptions terminal = {})
      : in(input), options(std::move(terminal)) {}

  // Builds the machine from the prefix as set up so far, and the front end.
  ConsoleFrontEnd& Start() {
    ui = std::make_unique<ConsoleFrontEnd>(f.StartMachine(), in, out, options);
    return *ui;
  }
  // What is still unread of the input.
  std::string Unread() {
    std::string rest;
    std::getline(in, rest, '\0');
    return rest;
  }
  // The whole transcript against tests/console/screens/<name>.txt.
  void ExpectScreens(const std::string& name) {
    ExpectDataFile(out.str(), "console/screens/" + name + ".txt");
  }

  WizardFixture f;
  std::istringstream in;
  std::ostringstream out;
  ConsoleOptions options;
  std::unique_ptr<ConsoleFrontEnd> ui;
};

}  // namespace tpl::test
