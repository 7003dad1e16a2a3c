// The lines of a registry file, without their LF or CR LF, as views into
// the text (no copies).
#pragma once

#include <cstddef>
#include <string_view>

namespace tpl {

class RegistryLines {
 public:
  explicit RegistryLines(std::string_view text) : text_(text) {}

  bool Next(std::string_view* line) {
    if (pos_ >= text_.size()) return false;
    last_ = pos_;
    size_t end = text_.find('\n', pos_);
    if (end == std::string_view::npos) end = text_.size();
    size_t stop = end;
    if (stop > pos_ && text_[stop - 1] == '\r') --stop;
    *line = text_.substr(pos_, stop - pos_);
    pos_ = end + 1;
    return true;
  }

  // The line Next gave last is given again by the following Next.
  void PutBack() { pos_ = last_; }

 private:
  std::string_view text_;
  size_t pos_ = 0;
  size_t last_ = 0;
};

inline bool IsRegistryBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r'; }

inline std::string_view SkipRegistryBlanks(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && IsRegistryBlank(text[i])) ++i;
  return text.substr(i);
}

}  // namespace tpl
