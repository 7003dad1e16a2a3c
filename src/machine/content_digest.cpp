#include "machine/content_digest.h"

#include <new>

#include "machine/content_digest_avx2.h"

// Header-only: nothing to link, so the Windows program stays static.
#define XXH_INLINE_ALL
#include "xxhash.h"

namespace tpl {

namespace {

XXH3_state_t* State(unsigned char* bytes) {
  return std::launder(reinterpret_cast<XXH3_state_t*>(bytes));
}
const XXH3_state_t* State(const unsigned char* bytes) {
  return std::launder(reinterpret_cast<const XXH3_state_t*>(bytes));
}

ContentDigest::Value AsValue(const XXH128_hash_t& hash) { return {hash.high64, hash.low64}; }

void PutHex(const ContentDigest::Value& value, std::string* hex) {
  static const char kDigits[] = "0123456789abcdef";
  char text[32];
  char* next = text;
  for (const uint64_t half : {value.high, value.low}) {
    for (int shift = 60; shift >= 0; shift -= 4) *next++ = kDigits[(half >> shift) & 0xF];
  }
  hex->assign(text, sizeof text);
}

// XXH3 of a piece given whole, with AVX2 where the processor has it.
ContentDigest::Value OnePiece(const void* bytes, size_t size) {
#ifdef TPL_XXH3_AVX2
  static const bool avx2 = __builtin_cpu_supports("avx2");
  if (avx2) return Xxh3WithAvx2(bytes, size);
#endif
  return AsValue(XXH3_128bits(bytes, size));
}

}  // namespace

ContentDigest::ContentDigest() {
  static_assert(sizeof(XXH3_state_t) <= kStateBytes && alignof(XXH3_state_t) <= alignof(ContentDigest),
                "ContentDigest's room for the XXH3 state is too small");
  XXH3_128bits_reset(new (state_) XXH3_state_t);
}

void ContentDigest::Add(const void* bytes, size_t size) {
  XXH3_128bits_update(State(state_), bytes, size);
}

std::string ContentDigest::Hex() const {
  std::string hex;
  PutHex(AsValue(XXH3_128bits_digest(State(state_))), &hex);
  return hex;
}

ContentDigest::Value ContentDigest::NumberOf(const void* bytes, size_t size) {
  return OnePiece(bytes, size);
}

void ContentDigest::HexOf(const void* bytes, size_t size, std::string* hex) {
  PutHex(OnePiece(bytes, size), hex);
}

bool IsDigestText(const std::string& text) {
  if (text.size() != 32) return false;
  for (char c : text) {
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
  }
  return true;
}

}  // namespace tpl
