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

std::vector<std::string> ReadAll(std::unique_ptr<ByteSource> source, ErrorCode* end) {
  TextModeReader reader(std::move(source));
  std::vector<std::string> lines;
  std::string line;
  while ((*end = reader.ReadLine(&line)) == kErrorSuccess) lines.push_back(line);
  return lines;
}

using Lines = std::vector<std::string>;

TEST(TextModeReader, SameLinesWhateverThePieces) {
  const std::string text = "a\r\nbb\r\r\n\rc\nlast\r";
  for (size_t piece : {1, 2, 3, 7, 1000}) {
    SCOPED_TRACE(piece);
    ErrorCode end = 0;
    EXPECT_EQ(ReadAll(std::make_unique<PieceSource>(text, piece), &end),
              (Lines{"a", "bb\r", "\rc", "last\r"}));
    EXPECT_EQ(end, kErrorHandleEof);
  }
}

TEST(TextModeReader, CtrlZEndsTheFileEvenMidLine) {
  ErrorCode end = 0;
  EXPECT_EQ(ReadAll(std::make_unique<StringByteSource>("one\ntw\x1Ao\nthree\n"), &end),
            (Lines{"one", "tw"}));
  EXPECT_EQ(end, kErrorHandleEof);
  EXPECT_EQ(ReadAll(std::make_unique<StringByteSource>("\x1A" "all gone"), &end), Lines{});
}

TEST(TextModeReader, NulDropsTheRestOfItsLineOnly) {
  ErrorCode end = 0;
  const std::string text("head\0tail\r\n\0\nnext", 17);
  EXPECT_EQ(ReadAll(std::make_unique<PieceSource>(text, 3), &end), (Lines{"head", "", "next"}));
}

TEST(TextModeReader, ReadFailureIsReportedAfterTheGoodLines) {
  ErrorCode end = 0;
  EXPECT_EQ(ReadAll(std::make_unique<PieceSource>("ok\npart", 4, kErrorIoDevice), &end),
            Lines{"ok"});
  EXPECT_EQ(end, kErrorIoDevice);
}

TEST(TextModeReader, VeryLongAndBinaryLines) {
  std::string text(5 * 1024 * 1024, 'x');
  text += "\nshort";
  ErrorCode end = 0;
  const Lines lines = ReadAll(std::make_unique<StringByteSource>(text), &end);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].size(), 5u * 1024 * 1024);
  EXPECT_EQ(lines[1], "short");

  std::string binary(300000, '\0');
  for (size_t i = 0; i < binary.size(); ++i) binary[i] = static_cast<char>((i * 7919) % 256);
  const Lines chunks = ReadAll(std::make_unique<StringByteSource>(binary), &end);
  EXPECT_EQ(end, kErrorHandleEof);
  for (const std::string& line : chunks) {
    EXPECT_EQ(line.find('\n'), std::string::npos);
    EXPECT_EQ(line.find('\0'), std::string::npos);
  }
}

}  // namespace
}  // namespace tpl
