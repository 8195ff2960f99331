#pragma once

#include <array>
#include <vector>

#include "display/markers.h"

namespace orvane::display {

// What the star marks are drawn from: the six slot positions as the position boxes hold them
// (frame coordinates, slot 1..6; index 0 unused) and the photometry settings they show.
struct ApertureMarkInput {
  std::array<double, 7> x{};
  std::array<double, 7> y{};
  int sky_mode = 1;        // 0 sky boxes at their own positions, 1 rings round the stars
  int aperture_shape = 0;  // 0 circle, 1 square
  double aperture_size = 3;
  double sky_inner = 10;
  double sky_outer = 20;
  double search_span = 15;
  int scale = 1;  // display scale 1, 2 or 4
  int frame_width = 0;
  int frame_height = 0;
};

// A rectangle of display pixels, corners included.
struct DisplayRect {
  int left, top, right, bottom;
};

// The letter that names a star's marks ("C", "V" or "K"), drawn in the marks' colour in the box
// of kLabelWidth x kLabelHeight display pixels whose top-left corner is (x, y).
struct MarkLabel {
  int x, y;
  char letter;
};
inline constexpr int kLabelWidth = 9;
inline constexpr int kLabelHeight = 12;

// The marks in display pixels. With sky boxes: the search square round each star in green and a
// white cross of arms -5..+5 on every slot (limited to the picture). With rings: the aperture
// and the two ring radii round each star, as circles or squares, in green. `erase` lists what
// must be redrawn from the frame to take the marks away again. Each star's marks carry its
// letter just right of their top right corner, and the letters' boxes are among the areas to
// redraw.
struct ApertureMarks {
  std::vector<DisplayPoint> green;
  std::vector<DisplayPoint> white;
  std::vector<MarkLabel> labels;
  std::vector<DisplayPoint> erase_points;
  std::vector<DisplayRect> erase_areas;
};

ApertureMarks aperture_marks(const ApertureMarkInput& input);

// The outline of a circle of radius r display pixels round (cx, cy) (midpoint circle).
std::vector<DisplayPoint> circle_outline(int cx, int cy, int r);

}  // namespace orvane::display
