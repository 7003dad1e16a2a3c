// A terminal front end on string streams, over a Wine prefix (no FrontPage
// unless a test adds it) and a kit folder in a temp folder; the machine's
// pauses are recorded, not slept.
#pragma once

#include <memory>
#include <sstream>
#include <string>

#include "machine/wineprefix/wine_prefix_machine.h"
#include "support/prefix_builder.h"
#include "support/temp_dir.h"
#include "support/wizard_fixture.h"
#include "ui/console/console_front_end.h"

namespace tpl::test {

struct ConsoleSession {
  explicit ConsoleSession(const std::string& input, ConsoleOptions options = {})
      : prefix(tmp.path() + "/prefix"),
        kit(tmp.path() + "/kit"),
        real(MakeMachine(prefix, kit)),
        machine(*real),
        in(input),
        ui(machine, in, out, std::move(options)) {}

  // Writes a file of the kit (the machine's current folder).
  void KitFile(const std::string& name, const std::string& content) {
    WriteHostFile(kit + "/" + name, content);
  }
  std::string Output() const { return out.str(); }
  // What is still unread of the input.
  std::string Unread() {
    std::string rest;
    std::getline(in, rest, '\0');
    return rest;
  }

  TempDir tmp;
  PrefixBuilder prefix;
  std::string kit;
  std::unique_ptr<Machine> real;
  TestMachine machine;
  std::istringstream in;
  std::ostringstream out;
  ConsoleFrontEnd ui;

 private:
  static std::unique_ptr<Machine> MakeMachine(PrefixBuilder& prefix, const std::string& kit) {
    prefix.Write();
    MakeHostFolders(kit);
    return MakeWinePrefixMachine({prefix.root(), kit, "tester"});
  }
};

// The whole transcript of a session against tests/console/screens/<name>.txt.
inline void ExpectScreens(const ConsoleSession& session, const std::string& name) {
  ExpectDataFile(session.Output(), "console/screens/" + name + ".txt");
}

// How often `part` occurs in `text`.
inline int Count(const std::string& text, const std::string& part) {
  int count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
    ++count;
  }
  return count;
}

}  // namespace tpl::test
