// The native program's machine: the Wine prefix named on the command line
// (else $WINEPREFIX, else ~/.wine), with the kit folder as its current folder.
// The wineprefix machine itself takes only plain options and knows no command line.
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "app/platform.h"
#include "machine/wineprefix/wine_prefix_machine.h"

namespace tpl {
namespace {

namespace fs = std::filesystem;

const char kRegistryFile[] = "system.reg";

std::string DefaultPrefix() {
  const char* prefix = std::getenv("WINEPREFIX");
  if (prefix != nullptr && *prefix != '\0') return prefix;
  const char* home = std::getenv("HOME");
  if (home != nullptr && *home != '\0') return std::string(home) + "/.wine";
  return "";
}

// The absolute form of `path`, or `path` itself when it has none.
std::string Absolute(const std::string& path) {
  std::error_code error;
  const fs::path absolute = fs::absolute(path, error);
  return error ? path : absolute.lexically_normal().string();
}

}  // namespace

std::unique_ptr<Machine> MakeProgramMachine(const CommandLine& options, std::string* error,
                                            int* exitStatus) {
  *exitStatus = kExitUsage;
  const std::string prefix = options.prefixDir.empty() ? DefaultPrefix() : options.prefixDir;
  if (prefix.empty()) {
    *error = "no Wine prefix: name one with --prefix DIR (neither WINEPREFIX nor HOME is set)";
    return nullptr;
  }
  std::error_code ignored;
  if (!fs::is_regular_file(fs::path(prefix) / kRegistryFile, ignored)) {
    *error = "\"" + prefix + "\" is not a Wine prefix: it has no " + kRegistryFile +
             " (name the prefix with --prefix DIR)";
    return nullptr;
  }

  std::string kit = options.kitDir;
  if (kit.empty()) {
    kit = fs::current_path(ignored).string();
    if (ignored) {
      *error = "the current folder no longer exists (name the kit folder with --kit DIR)";
      return nullptr;
    }
  } else if (!fs::is_directory(kit, ignored)) {
    *error = "the kit folder \"" + kit + "\" does not exist";
    return nullptr;
  }

  WinePrefixOptions machineOptions;
  machineOptions.prefix = Absolute(prefix);
  machineOptions.currentFolder = Absolute(kit);
  std::unique_ptr<Machine> machine = MakeWinePrefixMachine(machineOptions);
  if (!machine) {
    *error = "the Wine prefix \"" + prefix + "\" cannot be used";
    *exitStatus = kExitFailed;
  }
  return machine;
}

}  // namespace tpl
