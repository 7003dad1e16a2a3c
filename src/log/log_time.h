// Formatting for the log: the date and time of its head and closing lines
// ("06-Dec-2026", "23:59:59", English month names whatever the locale), and
// printf-style formatting into a std::string.
#pragma once

#include <string>

#include "machine/machine.h"

namespace tpl {

struct LogStamp {
  std::string date;  // "%d-%b-%Y"
  std::string time;  // "%H:%M:%S"
};

LogStamp FormatLogStamp(const LocalTime& now);

// printf into a string of any length.
std::string FormatText(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

}  // namespace tpl
