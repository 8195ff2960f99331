#pragma once

namespace orvane::photometry {

// How stars are measured; start values are those of a fresh start of the program.
struct PhotometrySettings {
  int aperture_shape = 0;    // 0 circle, 1 square
  double aperture_size = 3;  // radius (circle) or side (square) in pixels, at least 1
  int sky_mode = 1;          // 0 separate sky positions, 1 median of a ring round the star
  double sky_inner = 10;     // inner radius of the sky ring in pixels
  double sky_outer = 20;     // outer radius of the sky ring in pixels
  double search_span = 15;   // half-width of the peak search in pixels
  int position_mode = 2;     // 0 fixed, 1 peak cast, 2 peak cast and move
  int sum_mode = 0;          // 0 integer, 1 real
  int digits = 2;            // decimals of the magnitudes, 2 or 3
  int time_zone = 0;         // hours added to the header time, 0 or 9
};

}  // namespace orvane::photometry
