#include "log/log_time.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

namespace tpl {
namespace {
const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                               "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
}  // namespace

LogStamp FormatLogStamp(const LocalTime& now) {
  const char* month = (now.month >= 1 && now.month <= 12) ? kMonths[now.month - 1] : "???";
  return {FormatText("%02d-%s-%04d", now.day, month, now.year),
          FormatText("%02d:%02d:%02d", now.hour, now.minute, now.second)};
}

std::string FormatText(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  const int size = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  std::string text;
  if (size > 0) {
    std::vector<char> buffer(static_cast<size_t>(size) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), format, args);
    text.assign(buffer.data(), static_cast<size_t>(size));
  }
  va_end(args);
  return text;
}

}  // namespace tpl
