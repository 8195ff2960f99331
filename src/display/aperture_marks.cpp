#include "display/aperture_marks.h"

#include <algorithm>

#include "display/render.h"

namespace orvane::display {
namespace {

constexpr int kCrossArm = 5;
// Marks further out than this cannot be on any picture.
constexpr long long kFarthest = 2 * 5501;

bool reachable(long long v) {
  return v >= -kFarthest && v <= kFarthest;
}

void append(std::vector<DisplayPoint>& to, const std::vector<DisplayPoint>& points) {
  to.insert(to.end(), points.begin(), points.end());
}

// The cross on one slot, only where it lies on the picture.
std::vector<DisplayPoint> cross(int cx, int cy, int picture_width, int picture_height) {
  std::vector<DisplayPoint> points;
  const auto add = [&](int x, int y) {
    if (x >= 0 && y >= 0 && x < picture_width && y < picture_height) points.push_back({x, y});
  };
  add(cx, cy);
  for (int t = 1; t <= kCrossArm; ++t) {
    add(cx - t, cy), add(cx + t, cy), add(cx, cy - t), add(cx, cy + t);
  }
  return points;
}

std::vector<DisplayPoint> square_outline(int cx, int cy, int r) {
  std::vector<DisplayPoint> points;
  if (r < 0) return points;
  for (int t = -r; t <= r; ++t) {
    points.push_back({cx + t, cy - r});
    points.push_back({cx + t, cy + r});
  }
  for (int t = -r + 1; t <= r - 1; ++t) {
    points.push_back({cx - r, cy + t});
    points.push_back({cx + r, cy + t});
  }
  return points;
}

// The star's letter beside the top right corner of marks reaching `half` display pixels from
// the centre (cx, cy).
void add_label(ApertureMarks& marks, int star, int cx, int cy, int half) {
  static constexpr char kLetters[] = {' ', 'C', ' ', 'V', ' ', 'K'};
  const MarkLabel label{cx + half + 2, cy - half - kLabelHeight / 2, kLetters[star]};
  marks.labels.push_back(label);
  marks.erase_areas.push_back(
      {label.x, label.y, label.x + kLabelWidth - 1, label.y + kLabelHeight - 1});
}

void sky_box_marks(const ApertureMarkInput& in, ApertureMarks& marks) {
  const int width = display_extent(in.frame_width, in.scale);
  const int height = display_extent(in.frame_height, in.scale);
  for (int slot = 1; slot <= 6; ++slot) {
    if (slot % 2 == 1) {
      append(marks.green, search_square(in.x[slot], in.y[slot], in.search_span, in.scale));
      const long long cx = frame_to_display(in.x[slot], in.scale);
      const long long cy = frame_to_display(in.y[slot], in.scale);
      const long long half = std::max<long long>(frame_to_display(in.search_span, in.scale), 0);
      if (reachable(cx) && reachable(cy) && reachable(half)) {
        add_label(marks, slot, int(cx), int(cy), int(half));
      }
    }
    append(marks.white, cross(frame_to_display(in.x[slot], in.scale),
                              frame_to_display(in.y[slot], in.scale), width, height));
  }
  marks.erase_points = marks.green;
  append(marks.erase_points, marks.white);
}

void ring_marks(const ApertureMarkInput& in, ApertureMarks& marks) {
  for (int star : {1, 3, 5}) {
    const int cx = frame_to_display(in.x[star], in.scale);
    const int cy = frame_to_display(in.y[star], in.scale);
    if (!reachable(cx) || !reachable(cy)) continue;
    int largest = 0;
    for (double size : {in.aperture_size, in.sky_inner, in.sky_outer}) {
      const int r = std::clamp(frame_to_display(size, in.scale), 0, int{kFarthest});
      largest = std::max(largest, r);
      append(marks.green,
             in.aperture_shape == 0 ? circle_outline(cx, cy, r) : square_outline(cx, cy, r));
    }
    marks.erase_areas.push_back({cx - largest, cy - largest, cx + largest, cy + largest});
    add_label(marks, star, cx, cy, largest);
  }
}

}  // namespace

std::vector<DisplayPoint> circle_outline(int cx, int cy, int r) {
  std::vector<DisplayPoint> points;
  if (r < 0) return points;
  int x = r, y = 0, error = 1 - r;
  while (x >= y) {
    for (auto [dx, dy] :
         {std::pair{x, y}, {y, x}, {-y, x}, {-x, y}, {-x, -y}, {-y, -x}, {y, -x}, {x, -y}}) {
      points.push_back({cx + dx, cy + dy});
    }
    ++y;
    if (error < 0) {
      error += 2 * y + 1;
    } else {
      --x;
      error += 2 * (y - x) + 1;
    }
  }
  return points;
}

ApertureMarks aperture_marks(const ApertureMarkInput& input) {
  ApertureMarks marks;
  if (input.sky_mode == 0) {
    sky_box_marks(input, marks);
  } else {
    ring_marks(input, marks);
  }
  return marks;
}

}  // namespace orvane::display
