// Built with AVX2 allowed (CMakeLists.txt); called only when the processor has it.
#include "machine/content_digest_avx2.h"

#define XXH_INLINE_ALL
#include "xxhash.h"

namespace tpl {

ContentDigest::Value Xxh3WithAvx2(const void* bytes, size_t size) {
  const XXH128_hash_t hash = XXH3_128bits(bytes, size);
  return {hash.high64, hash.low64};
}

}  // namespace tpl
