#include "core/number_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <utility>

namespace orvane::core {
namespace {

TEST(NumberTextVal, ReadsTheLongestLeadingNumber) {
  const std::pair<const char*, double> cases[] = {
      {"  42", 42},           // leading blanks skipped
      {".5", 0.5},            // no digit before the point
      {"3.2768E+04", 32768},  // 3.2768 x 10^4, as FITS headers write it
      {"2.5e-1", 0.25},       // small exponent
      {"1E", 1},              // E without digits is not part of the number
      {"1e+", 1},             // nor is E with only a sign
      {"1,5", 1},             // a comma is never a decimal point
      {"abc", 0},             // no number at all
      {".", 0},               // a lone point: no digits
      {" -0.25 / x", -0.25},  // a sign; what follows the number is ignored
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(val(text), expected) << '"' << text << '"';
}

TEST(NumberTextStr, WritesShortestFixedDecimalWithBlankOrMinus) {
  const std::pair<double, const char*> cases[] = {
      {-3, "-3"},
      {0.25, " 0.25"},                    // a 0 before the point
      {100000000, " 100000000"},          // never an exponent
      {0.1, " 0.1"},                      // shortest text that reads back as the same double
      {-0.0, " 0"},                       // negative zero is written as zero
      {1e21, " 1000000000000000000000"},  // 1 and 21 zeros, still fixed
  };
  for (const auto& [value, expected] : cases) EXPECT_EQ(str(value), expected) << expected;
  EXPECT_EQ(str_trimmed(-0.5), "-0.5");
}

TEST(NumberTextFormat, FollowsThePattern) {
  const struct {
    double value;
    const char* pattern;
    const char* expected;
  } cases[] = {
      // Rounding is half away from zero on the decimal text: 2.675 is stored as 2.67499..., but
      // its text "2.675" has a 5 after the last place.
      {2.675, "0.00", "2.68"},      {-0.125, "0.00", "-0.13"},
      {9.995, "0.00", "10.00"},    // the carry runs through the point into a new digit
      {1234, "00", "1234"},        // integer digits beyond the pattern are all written
      {12.3, "000.00", "012.30"},  // '0' pads with zeros on both sides
      {0.25, "####.###", ".25"},   // '#' drops the zero integer part and trailing zeros
      {3, "####.###", "3."},        {0, "####.###", "."},
      {0.0005, "####.###", ".001"},  // the fourth place 5 rounds the third up
  };
  for (const auto& c : cases) {
    EXPECT_EQ(format(c.value, c.pattern), c.expected) << c.value << " with " << c.pattern;
  }
}

TEST(NumberTextRounding, HalvesToEvenAndLimitsTo32Bits) {
  constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
  // The same rules serve the reader's floating-point values, tested there with the limits.
  const std::pair<double, std::int32_t> rounded[] = {
      {0.5, 0}, {-2.5, -2}, {2.6, 3}, {-1e12, kMin}, {std::nan(""), 0}};
  for (const auto& [value, expected] : rounded) EXPECT_EQ(round_to_i32(value), expected) << value;
  EXPECT_EQ(clamp_to_i32(-3000000000LL), kMin);

  // Int(v + 0.5): halves go up, also for negative values.
  const std::pair<double, double> half_up[] = {{2.5, 3}, {-2.5, -2}, {2.49, 2}, {-0.6, -1}};
  for (const auto& [value, expected] : half_up) EXPECT_EQ(floor_half_up(value), expected) << value;
}

TEST(NumberTextPrintZones, SecondFieldStartsAtTheNextZone) {
  EXPECT_EQ(zone_number(1200), " 1200 ");
  EXPECT_EQ(zone_number(-30), "-30 ");
  // " 1200 " fills columns 1-6; blanks to column 14; " 3400 " from column 15.
  EXPECT_EQ(print_zones({" 1200 ", " 3400 "}), " 1200 " + std::string(8, ' ') + " 3400 ");
  // A first field of 14 characters reaches the end of zone 1: the second starts at column 29.
  EXPECT_EQ(print_zones({"ABCDEFGHIJKLMN", "x"}), "ABCDEFGHIJKLMN" + std::string(14, ' ') + "x");
}

// Restores the "C" locale at the end of a test, whatever happened in it.
class CLocaleRestorer {
 public:
  ~CLocaleRestorer() { std::setlocale(LC_ALL, "C"); }
};

TEST(NumberTextLocale, GermanLocaleChangesNothing) {
  CLocaleRestorer restorer;
  if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr &&
      std::setlocale(LC_ALL, "de_DE") == nullptr) {
    GTEST_SKIP() << "no German locale installed";
  }
  // The C library now writes and reads a decimal comma.
  ASSERT_STREQ(std::localeconv()->decimal_point, ",");

  EXPECT_EQ(val("12.5"), 12.5);
  EXPECT_EQ(str(12.5), " 12.5");
  EXPECT_EQ(format(12.5, "0.00"), "12.50");
}

}  // namespace
}  // namespace orvane::core
