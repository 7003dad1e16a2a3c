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
class PieceSource : public ByteSource {
 public:
  PieceSource(std::string bytes, size_t piece, ErrorCode failure = 0)
      : bytes_(std::move(bytes)), piece_(piece), failure_(failure) {}
  ErrorCode Read(char* buffer, size_t capacity, size_t* got) override {
    *got = std::min({capacity, piece_, bytes_.size() - position_});
    if (*got == 0 && failure_ != 0) return failure_;
    std::memcpy(buffer, bytes_.data() + position_, *got);
    position_ += *got;
    return kErrorSuccess;
  }

 private:
  std::string bytes_;
  size_t piece_;
  ErrorCode failure_;
  size_t position_ = 0;
};

using Lines = std::vector<std::string>;

// Every line, and the code that ended the reading (an end of file stays).
Lines ReadAll(const std::string& text, size_t piece, ErrorCode failure, ErrorCode* end) {
  TextModeReader reader(std::make_unique<PieceSource>(text, piece, failure));
  Lines lines;
  std::string line;
  while ((*end = reader.ReadLine(&line)) == kErrorSuccess) lines.push_back(line);
  if (*end == kErrorHandleEof) {
    EXPECT_EQ(reader.ReadLine(&line), kErrorHandleEof);
  }
  return lines;
}

TEST(TextModeReader, LinesWhateverThePieces) {
  const struct { std::string text; ErrorCode failure; Lines lines; } cases[] = {
      {"a\r\nbb\r\r\n\rc\nlast\r", 0, {"a", "bb\r", "\rc", "last\r"}},
      {"only\n\n", 0, {"only", ""}},
      {"", 0, {}},
      {"one\ntw\x1Ao\nthree\n", 0, {"one", "tw"}},  // Ctrl-Z ends the file, even mid-line
      {"\x1A" "all gone", 0, {}},
      {std::string("head\0tail\r\n\0\nnext", 17), 0, {"head", "", "next"}},  // NUL ends its line
      {"ok\npart", kErrorIoDevice, {"ok"}},  // a failure comes after the good lines
  };
  for (const auto& c : cases) {
    for (size_t piece : {1, 2, 3, 7, 1000}) {
      SCOPED_TRACE(::testing::PrintToString(c.text) + " in pieces of " + std::to_string(piece));
      ErrorCode end = 0;
      EXPECT_EQ(ReadAll(c.text, piece, c.failure, &end), c.lines);
      EXPECT_EQ(end, c.failure ? c.failure : kErrorHandleEof);
    }
  }
}

}  // namespace
}  // namespace tpl
