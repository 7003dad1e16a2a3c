// Line reading in the text mode of the Microsoft C runtime, over any byte
// source, shared by the machines: CR LF becomes LF (a lone CR stays), Ctrl-Z
// ends the file, a line ends at LF (not part of the line), the last line
// needs no LF, and a NUL byte ends the line's text as it ends a C string.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "machine/errors.h"
#include "machine/machine.h"

namespace tpl {

// Where the bytes come from: a file, or memory in tests.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Reads up to `capacity` bytes. 0 with *got == 0 means the end.
  virtual ErrorCode Read(char* buffer, size_t capacity, size_t* got) = 0;
};

class TextModeReader : public TextReader {
 public:
  // A line longer than this fails with 8 instead of exhausting memory.
  static constexpr size_t kMaxLineBytes = size_t{64} << 20;

  explicit TextModeReader(std::unique_ptr<ByteSource> source);

  ErrorCode ReadLine(std::string* line) override;

 private:
  // Next byte after CR LF folding; false at the end (or on error_).
  bool NextRaw(char* byte);
  bool Fill();

  std::unique_ptr<ByteSource> source_;
  std::unique_ptr<char[]> buffer_;
  size_t length_ = 0;
  size_t position_ = 0;
  bool ended_ = false;  // end of data, Ctrl-Z or a failure
  ErrorCode error_ = kErrorSuccess;
};

// A byte source over a string (the whole file in memory).
class StringByteSource : public ByteSource {
 public:
  explicit StringByteSource(std::string bytes) : bytes_(std::move(bytes)) {}
  ErrorCode Read(char* buffer, size_t capacity, size_t* got) override;

 private:
  std::string bytes_;
  size_t position_ = 0;
};

}  // namespace tpl
