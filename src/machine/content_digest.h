// The digest by which the undo knows a file's content again: XXH3 with 128
// bits, written as 32 lower-case hex digits. Fed in pieces of any size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tpl {

class ContentDigest {
 public:
  ContentDigest();
  ContentDigest(const ContentDigest&) = delete;
  ContentDigest& operator=(const ContentDigest&) = delete;

  void Add(const void* bytes, size_t size);
  void Add(const std::string& text) { Add(text.data(), text.size()); }
  std::string Hex() const;

  // The digest of `bytes` given in one piece, into *hex (which keeps its
  // room): the same as Add then Hex, in a fraction of the time for a small
  // piece (no state to set up).
  static void HexOf(const void* bytes, size_t size, std::string* hex);
  // Likewise as a number, for keys that never need spelling out.
  struct Value {
    uint64_t high = 0;
    uint64_t low = 0;
    bool operator==(const Value& other) const { return high == other.high && low == other.low; }
  };
  static Value NumberOf(const void* bytes, size_t size);

 private:
  // XXH3's state, kept in place: a digest is made for every file copied or
  // checked, and an allocation of this alignment costs more than a small
  // file's digest (content_digest.cpp checks that it fits).
  static constexpr size_t kStateBytes = 640;
  alignas(64) unsigned char state_[kStateBytes];
};

// True for a string of the digest's form: 32 lower-case hex digits.
bool IsDigestText(const std::string& text);

}  // namespace tpl
