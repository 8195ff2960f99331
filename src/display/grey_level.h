#pragma once

#include <cstdint>

#include "display/display_state.h"

namespace orvane::display {

// Frame value to grey level 0..255: floor((v - background) / range * 256 + 0.5), limited to
// 0..255. A range of 0 draws 255 above the background and 0 at or below it.
int grey_level(std::int32_t value, std::int32_t range, std::int32_t background);

inline int grey_level(std::int32_t value, const DisplayState& state) {
  return grey_level(value, state.range, state.background);
}

}  // namespace orvane::display
