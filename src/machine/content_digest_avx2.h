// XXH3 with 128 bits built for AVX2, for the digests made in one piece (a
// file copied or a key): content_digest.cpp takes it where the processor
// has AVX2, where it runs in half the time.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tpl {

struct Xxh3Digest {
  uint64_t high;
  uint64_t low;
};
Xxh3Digest Xxh3WithAvx2(const void* bytes, size_t size);

}  // namespace tpl
