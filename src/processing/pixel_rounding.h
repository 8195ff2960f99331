#pragma once

#include <algorithm>
#include <cstdint>

namespace orvane::processing {

// A computed value as a pixel: nearest whole number, halves to even, limited to the 32-bit
// range, NaN 0; the same as core::round_to_i32, in a form the pixel loops vectorise. Adding and
// taking away 1.5 * 2^52 rounds any double of magnitude below 2^51 to a whole number, halves to
// even.
inline constexpr double kRoundShift = 6755399441055744.0;

inline std::int32_t rounded_pixel(double v) {
  v = v == v ? v : 0.0;
  v = std::min(std::max(v, -2147483648.0), 2147483647.0);
  return static_cast<std::int32_t>((v + kRoundShift) - kRoundShift);
}

// The same for a value known to lie within the 32-bit range, such as a mean of pixels.
inline std::int32_t rounded_in_range(double v) {
  return static_cast<std::int32_t>((v + kRoundShift) - kRoundShift);
}

}  // namespace orvane::processing
