// The text-mode line splitter over sources that deliver bytes in awkward
// pieces, fail, or never end a line.
#include "machine/text_mode_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace tpl {
namespace {

// Hands out at most `piece` bytes per read, then fails with `failure` once
// the bytes are gone (0: ends normally).
struct PieceSource : ByteSource {
  PieceSource(std::string text, size_t size, ErrorCode error)
      : bytes(std::move(text)), piece(size), failure(error) {}
  ErrorCode Read(char* buffer, size_t capacity, size_t* got) override {
    *got = std::min({capacity, piece, bytes.size() - position});
    if (*got == 0 && failure != 0) return failure;
    std::memcpy(buffer, bytes.data() + position, *got);
    position += *got;
    return kErrorSuccess;
  }
  std::string bytes;
  size_t piece;
  ErrorCode failure;
  size_t position = 0;
};

TEST(TextModeReader, LinesWhateverThePieces) {
  using Lines = std::vector<std::string>;
  const struct { std::string text; ErrorCode failure; Lines lines; } cases[] = {
      {"a\r\nbb\r\r\n\rc\nlast\r", 0, {"a", "bb\r", "\rc", "last\r"}},
      {"only\n\n", 0, {"only", ""}}, {"", 0, {}},
      {"one\ntw\x1Ao\nthree\n", 0, {"one", "tw"}},  // Ctrl-Z ends the file, even mid-line
      {"\x1A" "all gone", 0, {}},
      {std::string("head\0tail\r\n\0\nnext", 17), 0, {"head", "", "next"}},  // NUL ends its line
      {"ok\npart", kErrorIoDevice, {"ok"}},  // a failure comes after the good lines
  };
  for (const auto& c : cases) {
    for (size_t piece : {1, 2, 3, 7, 1000}) {
      SCOPED_TRACE(::testing::PrintToString(c.text) + " in pieces of " + std::to_string(piece));
      TextModeReader reader(std::make_unique<PieceSource>(c.text, piece, c.failure));
      Lines lines;
      std::string line;
      ErrorCode end;
      while ((end = reader.ReadLine(&line)) == kErrorSuccess) lines.push_back(line);
      EXPECT_EQ(lines, c.lines);
      EXPECT_EQ(end, c.failure ? c.failure : kErrorHandleEof);
      if (end == kErrorHandleEof) {
        EXPECT_EQ(reader.ReadLine(&line), kErrorHandleEof);  // the end stays
      }
    }
  }
}

}  // namespace
}  // namespace tpl
