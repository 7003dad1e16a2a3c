#include "machine/text_mode_reader.h"

#include <algorithm>
#include <cstring>

namespace tpl {
namespace {

constexpr size_t kChunkBytes = 64 * 1024;
constexpr char kCtrlZ = 0x1A;

}  // namespace

TextModeReader::TextModeReader(std::unique_ptr<ByteSource> source)
    : source_(std::move(source)), buffer_(new char[kChunkBytes]) {}

bool TextModeReader::Fill() {
  if (ended_) return false;
  size_t got = 0;
  const ErrorCode error = source_->Read(buffer_.get(), kChunkBytes, &got);
  if (error != kErrorSuccess || got == 0) {
    error_ = error;
    ended_ = true;
    return false;
  }
  length_ = got;
  position_ = 0;
  return true;
}

bool TextModeReader::NextRaw(char* byte) {
  if (position_ == length_ && !Fill()) return false;
  char c = buffer_[position_++];
  if (c == kCtrlZ) {
    ended_ = true;
    length_ = position_ = 0;
    return false;
  }
  if (c == '\r') {
    // CR LF folds to LF; peek across a chunk boundary if needed.
    if (position_ == length_ && !Fill()) {
      *byte = c;
      return true;
    }
    if (buffer_[position_] == '\n') {
      ++position_;
      c = '\n';
    }
  }
  *byte = c;
  return true;
}

ErrorCode TextModeReader::ReadLine(std::string* line) {
  line->clear();
  bool any = false;
  bool truncated = false;  // a NUL was seen: the rest of the line is dropped
  while (true) {
    // Fast path: copy the run of buffered bytes up to the next one that matters.
    if (position_ < length_) {
      const char* start = buffer_.get() + position_;
      const size_t available = length_ - position_;
      size_t plain = 0;
      while (plain < available) {
        const char c = start[plain];
        if (c == '\n' || c == '\r' || c == kCtrlZ || c == '\0') break;
        ++plain;
      }
      if (plain > 0) {
        any = true;
        if (!truncated) {
          if (line->size() + plain > kMaxLineBytes) {
            ended_ = true;
            length_ = position_ = 0;
            return kErrorNotEnoughMemory;
          }
          line->append(start, plain);
        }
        position_ += plain;
        continue;
      }
    }
    char c;
    if (!NextRaw(&c)) break;
    any = true;
    if (c == '\n') return kErrorSuccess;
    if (c == '\0') truncated = true;
    if (!truncated) line->push_back(c);
  }
  if (error_ != kErrorSuccess) {
    const ErrorCode error = error_;
    error_ = kErrorSuccess;
    return error;
  }
  return any ? kErrorSuccess : kErrorHandleEof;
}

ErrorCode StringByteSource::Read(char* buffer, size_t capacity, size_t* got) {
  *got = std::min(capacity, bytes_.size() - position_);
  std::memcpy(buffer, bytes_.data() + position_, *got);
  position_ += *got;
  return kErrorSuccess;
}

}  // namespace tpl
