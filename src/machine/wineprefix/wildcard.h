// Windows' matching of a search pattern's last part against a name: '*' is
// any run of characters, '?' exactly one, ASCII case ignored, and dots and
// stars left at the end of the pattern may match nothing, so "*.*" matches
// every name, with or without a dot.
#pragma once

#include <string>

namespace tpl {

bool MatchesWildcard(const std::string& pattern, const std::string& name);

}  // namespace tpl
