// Number conversions with the C runtime's rules as the "C" locale has them,
// whatever locale the user runs: "." is always the decimal point.
#pragma once

#include <string>

namespace tpl {

// atof: optional leading white space and sign, digits, ".", digits and an
// optional exponent, up to the first character that does not fit. No leading
// number gives 0; a number too large for a double gives +/-HUGE_VAL.
double Atof(const std::string& text);

// atoi: optional leading white space and sign, then digits up to the first
// other character. No digits give 0; values beyond int are clamped.
int Atoi(const std::string& text);

// printf("%g", value): six significant digits, trailing zeros dropped.
std::string FormatG(double value);

}  // namespace tpl
