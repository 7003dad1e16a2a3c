#include "install/install_session.h"

namespace tpl {

ErrorCode SearchMemo::FindFiles(const std::string& pattern, std::vector<FindData>* entries) {
  auto found = searches_.find(pattern);
  if (found == searches_.end()) {
    Search search;
    search.result = ForwardingMachine::FindFileKinds(pattern, &search.entries);
    found = searches_.emplace(pattern, std::move(search)).first;
  }
  *entries = found->second.entries;
  return found->second.result;
}

}  // namespace tpl
