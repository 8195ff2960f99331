#pragma once

#include <cstdint>
#include <string_view>

namespace orvane::display {

// The "+" and "-" buttons beside range and background: the value times the factor, rounded
// halves to even and limited to the 32-bit range.
inline constexpr double kRangeUp = 1.1;
inline constexpr double kRangeDown = 0.9;
inline constexpr double kBackgroundUp = 1.001;
inline constexpr double kBackgroundDown = 0.999;
std::int32_t contrast_step(std::int32_t value, double factor);

// What a typed range or background text sets the field to: its leading number rounded halves
// to even and limited to the 32-bit range.
std::int32_t contrast_field_from_text(std::string_view text);

}  // namespace orvane::display
