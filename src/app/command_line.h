// The command line (the same on every build). Without options the program
// behaves exactly as the wizard always has.
#pragma once

#include <string>
#include <vector>

namespace tpl {

struct CommandLine {
  std::string kitDir;         // --kit DIR: the kit's top folder (default: the current folder)
  std::string prefixDir;      // --prefix DIR (native build): the Wine prefix
  bool silent = false;        // --silent
  bool versionsGiven = false; // --versions LIST
  std::vector<int> versions;  // HostVersion values, e.g. {1, 3} for "2000,2003"
  bool languageGiven = false; // --language LCID
  int language = 0;
  bool acceptLicence = false; // --accept-licence
  bool noLog = false;         // --no-log
  bool dryRun = false;        // --dry-run
  bool uninstall = false;     // --uninstall
  std::string recordKey;      // --record KEY (with --uninstall)
  bool listInstalled = false; // --list-installed
  bool undoOnFailure = false; // --undo-on-failure (silent)
  bool help = false;          // --help
  bool showVersion = false;   // --version
  // Not an option: the key the installation is recorded under (set by
  // ProgramMain from the kit folder; empty: nothing is recorded).
  std::string kitKey;
};

// Exit statuses of the program.
constexpr int kExitInstalled = 0;
constexpr int kExitFailed = 1;
constexpr int kExitCancelled = 2;
constexpr int kExitUsage = 64;

// Parses the arguments after the program name; false with *error set on a
// bad command line. "--name=value" is accepted for options with a value.
// The answer options (--versions, --language, --accept-licence, --no-log)
// need --silent: an interactive run asks the user instead.
bool ParseCommandLine(const std::vector<std::string>& args, CommandLine* out,
                      std::string* error);

// The text of --help (also shown on standard error after a bad command line).
const char* UsageText();

// The whole program: parses `args`, runs the wizard, returns the exit status.
int ProgramMain(const std::vector<std::string>& args);

}  // namespace tpl
