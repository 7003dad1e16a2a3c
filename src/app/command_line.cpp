// Parsing the command line: options only, each given at most once.
#include "app/command_line.h"

#include <algorithm>

#include "host/host_version.h"

namespace tpl {
namespace {

constexpr long kLargestLcid = 0xFFFF;  // a language id is 16 bits

// A decimal number made of digits only, without sign or blanks (the C
// locale of the user plays no part).
bool ParseDecimal(const std::string& text, long* value) {
  if (text.empty() || text.size() > 9) return false;
  long result = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    result = result * 10 + (c - '0');
  }
  *value = result;
  return true;
}

// "2000,2003" -> {1, 3}, in the order 98, 2000, 2002, 2003 whatever the
// order given; a name given twice counts once.
bool ParseVersions(const std::string& list, std::vector<int>* versions, std::string* error) {
  bool chosen[kHostVersionCount] = {};
  size_t start = 0;
  while (true) {
    const size_t comma = list.find(',', start);
    const std::string name =
        list.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    const char* const* found =
        std::find(std::begin(kHostVersionNames), std::end(kHostVersionNames), name);
    if (found == std::end(kHostVersionNames)) {
      *error = "--versions: \"" + name + "\" is not a FrontPage version (98, 2000, 2002, 2003)";
      return false;
    }
    chosen[found - std::begin(kHostVersionNames)] = true;
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  versions->clear();
  for (int version = 0; version < kHostVersionCount; ++version) {
    if (chosen[version]) versions->push_back(version);
  }
  return true;
}

// The undo's options fit together with the rest only in some ways.
bool CheckUndoOptions(const CommandLine& options, std::string* error) {
  if (options.help || options.showVersion) return true;
  if (options.undoOnFailure && !options.silent) {
    *error = "--undo-on-failure works in silent mode only: add --silent";
  } else if (options.undoOnFailure && (options.uninstall || options.listInstalled)) {
    *error = "--undo-on-failure undoes a failed installation, not an uninstall";
  } else if (!options.recordKey.empty() && !options.uninstall) {
    *error = "--record names the record to uninstall: add --uninstall";
  } else if (options.uninstall && !options.recordKey.empty() && !options.kitDir.empty()) {
    *error = "--uninstall takes --kit DIR or --record KEY, not both";
  } else if (options.listInstalled && (options.uninstall || options.dryRun)) {
    *error = "--list-installed takes no other action";
  } else if ((options.uninstall || options.listInstalled) &&
             (options.versionsGiven || options.languageGiven || options.acceptLicence)) {
    *error = "--versions, --language and --accept-licence answer an installation";
  } else {
    return true;
  }
  return false;
}

}  // namespace

bool ParseCommandLine(const std::vector<std::string>& args, CommandLine* out,
                      std::string* error) {
  CommandLine options;
  std::vector<std::string> seen;
  for (size_t i = 0; i < args.size(); ++i) {
    std::string name = args[i];
    std::string value;
    bool inlineValue = false;
    const size_t equals = name.find('=');
    if (name.rfind("--", 0) == 0 && equals != std::string::npos) {
      value = name.substr(equals + 1);
      name = name.substr(0, equals);
      inlineValue = true;
    }
    if (std::find(seen.begin(), seen.end(), name) != seen.end()) {
      *error = name + " is given more than once";
      return false;
    }
    seen.push_back(name);

    const bool takesValue = name == "--kit" || name == "--prefix" || name == "--versions" ||
                            name == "--language" || name == "--record";
    if (takesValue && !inlineValue) {
      if (i + 1 >= args.size()) {
        *error = name + " needs a value";
        return false;
      }
      value = args[++i];
    } else if (!takesValue && inlineValue) {
      *error = name + " takes no value";
      return false;
    }

    if (name == "--kit" || name == "--prefix") {
      if (value.empty()) {
        *error = name + " needs a folder";
        return false;
      }
      (name == "--kit" ? options.kitDir : options.prefixDir) = value;
    } else if (name == "--versions") {
      if (!ParseVersions(value, &options.versions, error)) return false;
      options.versionsGiven = true;
    } else if (name == "--language") {
      long lcid = 0;
      if (!ParseDecimal(value, &lcid) || lcid == 0 || lcid > kLargestLcid) {
        *error = "--language: \"" + value + "\" is not a language id (a decimal LCID such as 1033)";
        return false;
      }
      options.language = static_cast<int>(lcid);
      options.languageGiven = true;
    } else if (name == "--record") {
      if (value.empty()) {
        *error = "--record needs a key";
        return false;
      }
      options.recordKey = value;
    } else if (name == "--uninstall") {
      options.uninstall = true;
    } else if (name == "--list-installed") {
      options.listInstalled = true;
    } else if (name == "--undo-on-failure") {
      options.undoOnFailure = true;
    } else if (name == "--silent") {
      options.silent = true;
    } else if (name == "--accept-licence") {
      options.acceptLicence = true;
    } else if (name == "--no-log") {
      options.noLog = true;
    } else if (name == "--dry-run") {
      options.dryRun = true;
    } else if (name == "--help") {
      options.help = true;
    } else if (name == "--version") {
      options.showVersion = true;
    } else if (name.rfind("-", 0) == 0) {
      *error = "unknown option " + name;
      return false;
    } else {
      *error = "unexpected argument \"" + name + "\" (the program takes options only)";
      return false;
    }
  }

  // The answers are the silent mode's; an interactive run asks the user.
  if (!options.silent && !options.help && !options.showVersion) {
    const char* answer = options.versionsGiven    ? "--versions"
                         : options.languageGiven  ? "--language"
                         : options.acceptLicence  ? "--accept-licence"
                         : options.noLog          ? "--no-log"
                                                  : nullptr;
    if (answer != nullptr) {
      *error = std::string(answer) + " answers the wizard in silent mode only: add --silent";
      return false;
    }
  }
  if (!CheckUndoOptions(options, error)) return false;
  *out = options;
  return true;
}

const char* UsageText() {
  return "Usage: tplsetup [options]\n"
         "Installs the themes and templates of a kit into Microsoft FrontPage.\n"
         "Without options the wizard runs as always, with the current folder as the kit.\n"
         "\n"
         "  --kit DIR          the kit's top folder (default: the current folder)\n"
         "  --prefix DIR       the Wine prefix to install into (native build;\n"
         "                     default: $WINEPREFIX, else ~/.wine)\n"
         "  --silent           ask nothing: answer every question from the options below\n"
         "  --versions LIST    silent: the versions to install for when several are found,\n"
         "                     e.g. 2000,2003 (names: 98, 2000, 2002, 2003)\n"
         "  --language LCID    silent: the Office language folder when several are found,\n"
         "                     e.g. 1033 (default: the first one offered)\n"
         "  --accept-licence   silent: accept the kit's licence agreement\n"
         "  --no-log           silent: do not write the installation log\n"
         "  --dry-run          go through every step, then show what would be copied\n"
         "                     where, and copy nothing\n"
         "  --uninstall        undo the kit's installations: remove what they copied and\n"
         "                     put back the files they replaced (the kit of --kit DIR,\n"
         "                     or --record KEY)\n"
         "  --record KEY       with --uninstall: the key of the record to undo\n"
         "  --list-installed   list the kits recorded on this machine\n"
         "  --undo-on-failure  silent: undo a failed or interrupted installation at once\n"
         "  --help             show this text\n"
         "  --version          show the program's version\n"
         "\n"
         "Exit status: 0 installed, 1 failed, 2 cancelled, 64 bad command line.\n";
}

}  // namespace tpl
