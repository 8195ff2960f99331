#include "display/grey_level.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace orvane::display {
namespace {

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

// grey = floor((value - background) / range * 256 + 0.5), limited to 0..255.
TEST(GreyLevel, MapsValuesOntoTheGreyScale) {
  const struct {
    const char* name;
    std::int32_t value, range, background;
    int grey;
  } cases[] = {
      {"one above: floor(2.56 + 0.5) = 3", 1001, 100, 1000, 3},
      {"top of the range: 256.5 limited to 255", 1100, 100, 1000, 255},
      {"below the background: floor(-2.06) = -3 limited to 0", 999, 100, 1000, 0},
      {"range 0, above the background: white", 1001, 0, 1000, 255},
      // The difference is about -2^32, beyond 32 bits, and must not wrap round to positive.
      {"INT32_MIN against background INT32_MAX", kMin, 1, kMax, 0},
      {"INT32_MAX against background INT32_MIN", kMax, 1, kMin, 255},
      // A negative range turns the scale round: -100 / -100 * 256 = 256.
      {"negative range", 900, -100, 1000, 255},
  };
  for (const auto& c : cases)
    EXPECT_EQ(grey_level(c.value, c.range, c.background), c.grey) << c.name;
}

}  // namespace
}  // namespace orvane::display
