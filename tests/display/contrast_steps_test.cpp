#include "display/contrast_steps.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace orvane::display {
namespace {

// Rounding and limits are those of the number text; these cases pin the four factors and the
// reading of typed text.
TEST(ContrastSteps, StepsAndTypedText) {
  constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
  EXPECT_EQ(contrast_step(5, kRangeUp), 6);             // 5.5 -> even 6
  EXPECT_EQ(contrast_step(5, kRangeDown), 4);           // 4.5 -> even 4
  EXPECT_EQ(contrast_step(100, kBackgroundUp), 100);    // 100.1: cannot step up
  EXPECT_EQ(contrast_step(100, kBackgroundDown), 100);  // 99.9
  EXPECT_EQ(contrast_step(-1000, kBackgroundUp), -1001);
  EXPECT_EQ(contrast_step(kMax, kRangeUp), kMax);      // 2.36e9 limited
  EXPECT_EQ(contrast_field_from_text("12.5abc"), 12);  // leading number, halves to even
}

}  // namespace
}  // namespace orvane::display
