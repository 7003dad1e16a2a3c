#include "record/installed_digests.h"

#include <algorithm>

#include "machine/ascii_case.h"

namespace tpl {

ContentDigest::Value InstalledDigests::KeyOf(const std::string& path) {
  char folded[512];
  if (path.size() > sizeof folded) return ContentDigest::NumberOf(AsciiLower(path).data(), path.size());
  for (size_t i = 0; i < path.size(); ++i) folded[i] = AsciiLower(path[i]);
  return ContentDigest::NumberOf(folded, path.size());
}

void InstalledDigests::Note(const std::string& path, const std::string& digest) {
  Digest& last = last_[KeyOf(path)];
  last.fill(0);
  std::copy_n(digest.begin(), std::min(digest.size(), last.size()), last.begin());
}

std::string_view InstalledDigests::Last(const std::string& path) const {
  const auto found = last_.find(KeyOf(path));
  if (found == last_.end()) return std::string_view();
  return std::string_view(found->second.data(), found->second.size());
}

}  // namespace tpl
