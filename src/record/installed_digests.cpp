#include "record/installed_digests.h"

#include <algorithm>

#include "machine/ascii_case.h"

namespace tpl {

ContentDigest::Value InstalledDigests::KeyOf(std::string_view path) {
  char folded[512];
  if (path.size() > sizeof folded) {
    return ContentDigest::NumberOf(AsciiLower(std::string(path)).data(), path.size());
  }
  for (size_t i = 0; i < path.size(); ++i) folded[i] = AsciiLower(path[i]);
  return ContentDigest::NumberOf(folded, path.size());
}

void InstalledDigests::Note(const std::string& path, const std::string& digest) {
  notedPaths_.append(path);
  Noted& noted = noted_.emplace_back();
  noted.pathEnd = notedPaths_.size();
  noted.digest.fill(0);
  std::copy_n(digest.begin(), std::min(digest.size(), noted.digest.size()), noted.digest.begin());
}

void InstalledDigests::TableNotes() {
  size_t start = 0;
  for (const Noted& noted : noted_) {
    last_[KeyOf(std::string_view(notedPaths_).substr(start, noted.pathEnd - start))] = noted.digest;
    start = noted.pathEnd;
  }
  noted_.clear();
  notedPaths_.clear();
}

std::string_view InstalledDigests::Last(const std::string& path) {
  if (!noted_.empty()) TableNotes();
  const auto found = last_.find(KeyOf(path));
  if (found == last_.end()) return std::string_view();
  return std::string_view(found->second.data(), found->second.size());
}

}  // namespace tpl
