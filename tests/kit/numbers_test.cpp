// atof, atoi and %g as the "C" locale has them, under any user locale.
#include <gtest/gtest.h>

#include <clocale>
#include <climits>
#include <cmath>
#include <string>
#include <vector>

#include "kit/c_numbers.h"
#include "kit/theme_description.h"

namespace tpl {
namespace {

TEST(Atof, ReadsTheLeadingDecimalNumberOnly) {
  const std::string zeros(5000, '0');
  // Out of range goes to infinity or zero; long input is fine.
  const struct { std::string text; double value; } cases[] = {
      {"2.50", 2.5},   {"  \t-1.5e2x", -150}, {"+.5", 0.5},   {"5.", 5},         {"1.2.3", 1.2},
      {"1e+", 1},      {"2E-1z", 0.2},        {"1,5", 1},     {".", 0},          {"+-1", 0},
      {"e5", 0},       {"0x10", 0},           {"inf", 0},     {"nan", 0},        {"\n\v\f\r9", 9},
      {"1e-400", 0},   {"0.0001e312", 1e308}, {"1e400", HUGE_VAL}, {"-1e400", -HUGE_VAL},
      {"1000e306", HUGE_VAL}, {"0.01e-330", 0}, {"1e99999999999999999999", HUGE_VAL},
      {"1" + zeros, HUGE_VAL}, {"0." + zeros + "1", 0}, {"1." + zeros + "1", 1},
      {"0." + zeros + "1e5002", 10},
  };
  for (const auto& c : cases) EXPECT_EQ(Atof(c.text), c.value) << '"' << c.text.substr(0, 30) << '"';
}

TEST(Atoi, ReadsTheLeadingDecimalIntegerOnly) {
  const struct { std::string text; int value; } cases[] = {
      {"01031", 1031}, {" -12ab", -12}, {"+7", 7}, {"", 0}, {"- 1", 0}, {"1.5", 1}, {"\t42", 42},
      {"99999999999", INT_MAX}, {"-99999999999", INT_MIN}, {"-2147483648", INT_MIN},
  };
  for (const auto& c : cases) EXPECT_EQ(Atoi(c.text), c.value) << '"' << c.text << '"';
}

TEST(CNumbers, AGermanUserLocaleStillReadsThePoint) {
  if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr && std::setlocale(LC_ALL, "de_DE") == nullptr) {
    GTEST_SKIP() << "no German locale on this system";
  }
  const bool comma = std::localeconv()->decimal_point[0] == ',';
  ThemeDescription description;
  ApplyDescriptionLine("version=2.50", &description);
  const std::vector<double> read{Atof("2.50"), Atof("2,50"), Atof("-1.5e1"), description.version};
  const int number = Atoi(" 1031");
  std::setlocale(LC_ALL, "C");
  ASSERT_TRUE(comma);
  EXPECT_EQ(read, (std::vector<double>{2.5, 2.0, -15.0, 2.5}));
  EXPECT_EQ(number, 1031);
}

}  // namespace
}  // namespace tpl
