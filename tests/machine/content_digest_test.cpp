// A file's digest is made in one piece when it is copied and in pieces when
// it is read back for the undo: both ways must agree whatever the size (XXH3
// goes another way past 16, 128 and 240 bytes, and per block of 1 KiB), on
// processors with AVX2 (taken for one piece) and without.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "machine/content_digest.h"

namespace tpl::test {
namespace {

TEST(ContentDigest, OnePieceAndPiecesAgree) {
  std::string bytes;
  for (size_t i = 0; i < 5000; ++i) bytes.push_back(static_cast<char>(i * 131 + i / 7));
  for (const size_t size : {0, 1, 16, 17, 128, 129, 240, 241, 1024, 1025, 5000}) {
    ContentDigest pieces;
    for (size_t at = 0; at < size; at += 100) pieces.Add(bytes.data() + at, std::min<size_t>(100, size - at));
    std::string whole;
    ContentDigest::HexOf(bytes.data(), size, &whole);
    EXPECT_EQ(whole, pieces.Hex()) << size;
    EXPECT_TRUE(IsDigestText(whole)) << whole;
  }
}

}  // namespace
}  // namespace tpl::test
