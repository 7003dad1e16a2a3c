// XXH3 with 128 bits built for AVX2, for the digests made in one piece (a
// file copied or a key): content_digest.cpp takes it where the processor
// has AVX2, where it runs in half the time.
#pragma once

#include <cstddef>

#include "machine/content_digest.h"

namespace tpl {

ContentDigest::Value Xxh3WithAvx2(const void* bytes, size_t size);

}  // namespace tpl
