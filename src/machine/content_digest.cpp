#include "machine/content_digest.h"

// Header-only: nothing to link, so the Windows program stays static.
#define XXH_INLINE_ALL
#include "xxhash.h"

namespace tpl {

struct ContentDigest::State {
  XXH3_state_t xxh;
};

ContentDigest::ContentDigest() : state_(std::make_unique<State>()) {
  XXH3_128bits_reset(&state_->xxh);
}

ContentDigest::~ContentDigest() = default;

void ContentDigest::Add(const void* bytes, size_t size) {
  XXH3_128bits_update(&state_->xxh, bytes, size);
}

std::string ContentDigest::Hex() const {
  static const char kDigits[] = "0123456789abcdef";
  const XXH128_hash_t hash = XXH3_128bits_digest(&state_->xxh);
  std::string text;
  for (const XXH64_hash_t half : {hash.high64, hash.low64}) {
    for (int shift = 60; shift >= 0; shift -= 4) text.push_back(kDigits[(half >> shift) & 0xF]);
  }
  return text;
}

bool IsDigestText(const std::string& text) {
  if (text.size() != 32) return false;
  for (char c : text) {
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
  }
  return true;
}

}  // namespace tpl
