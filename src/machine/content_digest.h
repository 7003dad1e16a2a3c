// The digest by which the undo knows a file's content again: XXH3 with 128
// bits, written as 32 lower-case hex digits. Fed in pieces of any size.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

namespace tpl {

class ContentDigest {
 public:
  ContentDigest();
  ~ContentDigest();
  ContentDigest(const ContentDigest&) = delete;
  ContentDigest& operator=(const ContentDigest&) = delete;

  void Add(const void* bytes, size_t size);
  void Add(const std::string& text) { Add(text.data(), text.size()); }
  std::string Hex() const;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

// True for a string of the digest's form: 32 lower-case hex digits.
bool IsDigestText(const std::string& text);

}  // namespace tpl
