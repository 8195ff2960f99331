#include "display/contrast_steps.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace orvane::display {
namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

TEST(ContrastSteps, StepsRoundHalvesToEvenAndStayIn32Bits) {
  EXPECT_EQ(contrast_step(5, kRangeUp), 6);             // 5.5 -> even 6
  EXPECT_EQ(contrast_step(5, kRangeDown), 4);           // 4.5 -> even 4
  EXPECT_EQ(contrast_step(100, kBackgroundUp), 100);    // 100.1: cannot step up
  EXPECT_EQ(contrast_step(100, kBackgroundDown), 100);  // 99.9
  EXPECT_EQ(contrast_step(1000, kRangeUp), 1100);
  EXPECT_EQ(contrast_step(-1000, kBackgroundUp), -1001);  // -1001.0
  EXPECT_EQ(contrast_step(kMax, kRangeUp), kMax);         // 2.36e9 limited
  EXPECT_EQ(contrast_step(kMin, kRangeUp), kMin);
}

TEST(ContrastSteps, TypedTextTakesTheLeadingNumber) {
  EXPECT_EQ(contrast_field_from_text(" 1234"), 1234);
  EXPECT_EQ(contrast_field_from_text("12.5abc"), 12);  // halves to even
  EXPECT_EQ(contrast_field_from_text("13.5"), 14);
  EXPECT_EQ(contrast_field_from_text("-7"), -7);
  EXPECT_EQ(contrast_field_from_text("abc"), 0);
  EXPECT_EQ(contrast_field_from_text(""), 0);
  EXPECT_EQ(contrast_field_from_text("9999999999"), kMax);
  EXPECT_EQ(contrast_field_from_text("-1E12"), kMin);
}

}  // namespace
}  // namespace orvane::display
