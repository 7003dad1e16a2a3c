// The digest of what this kit last installed at each destination path,
// paths compared ignoring case: a file that still has it is the kit's own
// copy and needs no backup when it is replaced. Every copied file is noted,
// so a note costs no allocation of its own beyond the table's entry.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>

#include "machine/content_digest.h"

namespace tpl {

class InstalledDigests {
 public:
  // `digest`: 32 hex digits, as the record writes them.
  void Note(const std::string& path, const std::string& digest);
  // The digest noted last for `path`, or "" when none was.
  std::string_view Last(const std::string& path) const;

 private:
  using Digest = std::array<char, 32>;
  struct KeyHash {
    size_t operator()(const ContentDigest::Value& key) const { return static_cast<size_t>(key.low); }
  };
  // A digest of the path in one case: the path itself is not kept.
  static ContentDigest::Value KeyOf(const std::string& path);

  std::unordered_map<ContentDigest::Value, Digest, KeyHash> last_;
};

}  // namespace tpl
