// The digest of what this kit last installed at each destination path,
// paths compared ignoring case: a file that still has it is the kit's own
// copy and needs no backup when it is replaced. Every copied file is noted,
// but only a file that is there already is asked about: a note is only
// kept until the first question, which puts the notes in the table.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "machine/content_digest.h"

namespace tpl {

class InstalledDigests {
 public:
  // `digest`: 32 hex digits, as the record writes them.
  void Note(const std::string& path, const std::string& digest);
  // The digest noted last for `path`, or "" when none was.
  std::string_view Last(const std::string& path);

 private:
  using Digest = std::array<char, 32>;
  struct KeyHash {
    size_t operator()(const ContentDigest::Value& key) const { return static_cast<size_t>(key.low); }
  };
  // A digest of the path in one case: the path itself is not kept.
  static ContentDigest::Value KeyOf(std::string_view path);
  // The notes taken since the last question go into the table, in order.
  void TableNotes();

  std::unordered_map<ContentDigest::Value, Digest, KeyHash> last_;
  // Notes not in the table yet: the paths one after the other, and for each
  // the end of its path and its digest.
  struct Noted {
    size_t pathEnd;
    Digest digest;
  };
  std::string notedPaths_;
  std::vector<Noted> noted_;
};

}  // namespace tpl
