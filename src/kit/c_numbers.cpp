#include "kit/c_numbers.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <system_error>

namespace tpl {
namespace {

bool IsCSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Whether a number that from_chars found out of range overflows (strtod
// gives HUGE_VAL then) rather than underflows (0): the power of ten of its
// first significant digit, plus the exponent, is not negative.
bool Overflows(const std::string& text, size_t mantissaBegin, size_t mantissaEnd,
               long long exponent) {
  bool afterPoint = false;
  long long fractionPlace = 0;
  for (size_t i = mantissaBegin; i < mantissaEnd; ++i) {
    if (text[i] == '.') {
      afterPoint = true;
      continue;
    }
    if (afterPoint) ++fractionPlace;
    if (text[i] == '0') continue;
    long long order = -fractionPlace;
    if (!afterPoint) {
      order = 0;
      for (size_t j = i + 1; j < mantissaEnd && IsDigit(text[j]); ++j) ++order;
    }
    return order + exponent >= 0;
  }
  return false;  // all zeros are never out of range
}

// Skips the blanks and the sign that atoi and atof accept before a number;
// returns the index of what follows and whether the sign was a minus.
size_t SkipBlanksAndSign(const std::string& text, bool* negative) {
  size_t i = 0;
  while (i < text.size() && IsCSpace(text[i])) ++i;
  *negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) *negative = text[i++] == '-';
  return i;
}

}  // namespace

double Atof(const std::string& text) {
  const size_t n = text.size();
  bool negative;
  size_t i = SkipBlanksAndSign(text, &negative);
  const size_t begin = i;
  size_t digits = 0;
  while (i < n && IsDigit(text[i])) ++i, ++digits;
  if (i < n && text[i] == '.') {
    size_t j = i + 1;
    size_t fraction = 0;
    while (j < n && IsDigit(text[j])) ++j, ++fraction;
    if (digits + fraction > 0) i = j;
    digits += fraction;
  }
  if (digits == 0) return 0.0;
  const size_t mantissaEnd = i;

  long long exponent = 0;
  if (i < n && (text[i] == 'e' || text[i] == 'E')) {
    size_t j = i + 1;
    bool negativeExponent = false;
    if (j < n && (text[j] == '+' || text[j] == '-')) negativeExponent = text[j++] == '-';
    if (j < n && IsDigit(text[j])) {
      for (; j < n && IsDigit(text[j]); ++j) {
        if (exponent < 1000000000) exponent = exponent * 10 + (text[j] - '0');
      }
      if (negativeExponent) exponent = -exponent;
      i = j;
    }
  }

  double value = 0.0;
  const auto result =
      std::from_chars(text.data() + begin, text.data() + i, value, std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range) {
    value = Overflows(text, begin, mantissaEnd, exponent) ? HUGE_VAL : 0.0;
  } else if (result.ec != std::errc()) {
    value = 0.0;
  }
  return negative ? -value : value;
}

int Atoi(const std::string& text) {
  const size_t n = text.size();
  bool negative;
  size_t i = SkipBlanksAndSign(text, &negative);
  const int64_t limit = negative ? -static_cast<int64_t>(INT_MIN) : INT_MAX;
  int64_t value = 0;
  for (; i < n && IsDigit(text[i]); ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > limit) value = limit;  // saturate, as the runtime's atoi does
  }
  return static_cast<int>(negative ? -value : value);
}

std::string FormatG(double value) {
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 6);
  return std::string(buffer, result.ptr);
}

}  // namespace tpl
