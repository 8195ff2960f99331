#pragma once

#include <cstdint>

namespace orvane::display {

// How frame values become grey levels and at what scale the picture is drawn.
struct DisplayState {
  std::int32_t range = 0;       // frame-value span mapped onto the 256 grey levels
  std::int32_t background = 0;  // frame value drawn black
  int display_scale = 1;        // 1, 2 or 4 frame pixels per display pixel in each direction
  int line_mode = 0;            // 1 while the profile line is shown on the picture
  int line_row = 0;             // frame row of the profile line
  int curve_scale = 255;        // intensity-curve chart: vertical extent in levels, at least 1
  int curve_offset = 0;         // and the shift of the curve in whole levels
};

}  // namespace orvane::display
