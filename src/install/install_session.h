// What InstallFiles shares with the walks it runs, for one version: the
// progress bar's ticker, and the kit's folder listings as the counting pass
// read them, so that the copying pass walks exactly the tree it counted
// (and the bar ends full) without searching every kit folder again.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "install/progress_ticker.h"
#include "machine/forwarding_machine.h"

namespace tpl {

// A machine whose directory searches are answered once per pattern and then
// from memory. Only the walk's searches of kit folders go through it, and
// they ask each entry's kind only.
class SearchMemo : public ForwardingMachine {
 public:
  using ForwardingMachine::ForwardingMachine;

  ErrorCode FindFiles(const std::string& pattern, std::vector<FindData>* entries) override;
  ErrorCode FindFileKinds(const std::string& pattern, std::vector<FindData>* entries) override {
    return FindFiles(pattern, entries);
  }

 private:
  struct Search {
    ErrorCode result;
    std::vector<FindData> entries;
  };
  std::unordered_map<std::string, Search> searches_;
};

struct InstallSession {
  explicit InstallSession(Machine& machine) : kitSearches(machine) {}

  ProgressTicker ticker;
  SearchMemo kitSearches;
};

}  // namespace tpl
