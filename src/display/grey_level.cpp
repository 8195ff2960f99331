#include "display/grey_level.h"

#include <cmath>

namespace orvane::display {

int grey_level(std::int32_t value, std::int32_t range, std::int32_t background) {
  // A typed range of 0 would divide by zero: draw everything above the background white.
  if (range == 0) return value > background ? 255 : 0;
  // The difference of two 32-bit values is exact in a double, so it never overflows.
  const double g = std::floor((double(value) - double(background)) / double(range) * 256.0 + 0.5);
  if (g < 0) return 0;
  if (g > 255) return 255;
  return int(g);
}

}  // namespace orvane::display
