#include "photometry/star_measurement.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace orvane::photometry {
namespace {

using core::ImageFrame;

// The part of the store that holds the image.
struct Extent {
  int width;
  int height;
};

Extent image_extent(const ImageFrame& frame) {
  return {std::clamp(frame.width, 0, ImageFrame::kMaxSide),
          std::clamp(frame.height, 0, ImageFrame::kMaxSide)};
}

// Radii in whole pixels; larger ones cannot be asked for by any window and would only make a
// measurement run for minutes.
double limited_radius(double radius) {
  return std::min(radius, double{ImageFrame::kMaxSide});
}

int half_side(double aperture_size) {
  return static_cast<int>(std::floor(limited_radius(aperture_size) / 2));
}

// Sum of the box cx-half..cx+half by cy-half..cy+half, only pixels inside the image counted.
template <typename Sum>
Sum box_sum(const ImageFrame& frame, Extent e, long long cx, long long cy, int half,
            std::int64_t* count = nullptr) {
  const long long x0 = std::max(cx - half, 0LL), x1 = std::min(cx + half, e.width - 1LL);
  const long long y0 = std::max(cy - half, 0LL), y1 = std::min(cy + half, e.height - 1LL);
  Sum sum = 0;
  for (long long y = y0; y <= y1; ++y) {
    const std::int32_t* row = frame.pixels.row(static_cast<int>(y));
    for (long long x = x0; x <= x1; ++x) sum += static_cast<Sum>(row[x]);
  }
  if (count != nullptr) *count = x1 >= x0 && y1 >= y0 ? (x1 - x0 + 1) * (y1 - y0 + 1) : 0;
  return sum;
}

struct Range {
  long long low;
  long long high;
  bool empty() const { return high < low; }
};

// The first candidate in search order (x, then y) whose box lies wholly outside the image, if
// the search reaches beyond it: its sum is 0.
bool first_outside(Range xs, Range ys, Range x_in, Range y_in, Position& at) {
  if (x_in.empty() || y_in.empty() || xs.low < x_in.low || ys.low < y_in.low) {
    at = {static_cast<int>(xs.low), static_cast<int>(ys.low)};
    return true;
  }
  if (ys.high > y_in.high) {
    at = {static_cast<int>(xs.low), static_cast<int>(y_in.high + 1)};
    return true;
  }
  if (xs.high > x_in.high) {
    at = {static_cast<int>(x_in.high + 1), static_cast<int>(ys.low)};
    return true;
  }
  return false;
}

bool earlier(Position a, Position b) {
  return a.x < b.x || (a.x == b.x && a.y < b.y);
}

template <typename Sum>
Position search_one_star(const ImageFrame& frame, Extent e, Position stored, long long span,
                         int half) {
  if (span < 0) return stored;
  const Range xs{stored.x - span, stored.x + span}, ys{stored.y - span, stored.y + span};
  // Only boxes that reach into the image can have a sum other than 0.
  const Range x_in{std::max(xs.low, -1LL * half), std::min(xs.high, e.width - 1LL + half)};
  const Range y_in{std::max(ys.low, -1LL * half), std::min(ys.high, e.height - 1LL + half)};
  bool any = false;
  Sum best = 0, lowest = 0, highest = 0;
  Position at = stored;
  const auto consider = [&](Sum sum, Position p) {
    if (!any || sum > best || (sum == best && earlier(p, at))) best = sum, at = p;
    lowest = any ? std::min(lowest, sum) : sum;
    highest = any ? std::max(highest, sum) : sum;
    any = true;
  };
  if (!x_in.empty() && !y_in.empty()) {
    for (long long x = x_in.low; x <= x_in.high; ++x) {
      for (long long y = y_in.low; y <= y_in.high; ++y) {
        consider(box_sum<Sum>(frame, e, x, y, half), {static_cast<int>(x), static_cast<int>(y)});
      }
    }
  }
  Position outside;
  if (first_outside(xs, ys, x_in, y_in, outside)) consider(0, outside);
  return lowest == highest ? stored : at;
}

// The largest |dx| whose rounded distance floor(sqrt(dx^2 + dy^2) + 0.5) is at most `radius`,
// or -1 when not even dx = 0 qualifies.
int reach(int dy, double radius) {
  int dx = -1;
  while (std::floor(std::sqrt(double(dx + 1) * (dx + 1) + double(dy) * dy) + 0.5) <= radius) ++dx;
  return dx;
}

// Calls visit(value) for every pixel whose rounded distance from (x0, y0) lies in
// inner..outer, reading pixels beyond the image at the nearest edge pixel.
template <typename Visit>
void for_each_in_ring(const ImageFrame& frame, Extent e, Position c, double inner, double outer,
                      Visit visit) {
  outer = limited_radius(outer);
  if (outer < 0) return;
  const int rows = static_cast<int>(std::floor(outer));
  const int last_x = std::max(e.width - 1, 0), last_y = std::max(e.height - 1, 0);
  for (int dy = -rows; dy <= rows; ++dy) {
    const int out = reach(dy, outer);
    // Pixels whose rounded distance is below the inner radius are left out.
    const int in = inner <= 0 ? -1 : reach(dy, std::ceil(inner) - 1);
    const int y = std::clamp(c.y + dy, 0, last_y);
    const std::int32_t* row = frame.pixels.row(y);
    for (int dx = -out; dx <= out; ++dx) {
      if (dx >= -in && dx <= in) continue;
      visit(row[std::clamp(c.x + dx, 0, last_x)]);
    }
  }
}

// The lower middle value of the list (entry floor(n / 2 + 0.5) of the sorted list, from 1);
// 0 for an empty list.
std::int32_t lower_median(std::vector<std::int32_t>& values) {
  if (values.empty()) return 0;
  const std::size_t k = (values.size() + 1) / 2 - 1;
  std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(k), values.end());
  return values[k];
}

// The pixels on the outlines of the squares of half side r = inner_half .. outer_half round
// (x0, y0), only those inside the image.
std::vector<std::int32_t> square_outline_values(const ImageFrame& frame, Extent e, Position c,
                                                int inner_half, int outer_half) {
  std::vector<std::int32_t> values;
  const auto add = [&](long long x, long long y) {
    if (x >= 0 && y >= 0 && x < e.width && y < e.height) {
      values.push_back(frame.pixels.at(static_cast<int>(x), static_cast<int>(y)));
    }
  };
  for (long long r = std::max(inner_half, 0); r <= outer_half; ++r) {
    if (r == 0) {
      add(c.x, c.y);
      continue;
    }
    for (long long x = c.x - r; x <= c.x + r; ++x) add(x, c.y - r), add(x, c.y + r);
    for (long long y = c.y - r + 1; y <= c.y + r - 1; ++y) add(c.x - r, y), add(c.x + r, y);
  }
  return values;
}

// Stores the sum of a slot in both forms; the sum mode decides which one counts.
void store_sum(ApertureSums& sums, int slot, std::int64_t whole, double real) {
  sums.whole[slot] = whole;
  sums.real[slot] = real;
}

void store_sky(ApertureSums& sums, int sky_slot, std::int32_t median, double pixels) {
  store_sum(sums, sky_slot, static_cast<std::int64_t>(std::llround(median * pixels)),
            median * pixels);
}

void measure_circles(const ImageFrame& frame, Extent e, const PhotometrySettings& s,
                     const SlotPositions& at, ApertureSums& sums) {
  for (int star : kStarSlots) {
    std::int64_t sum = 0, count = 0;
    for_each_in_ring(frame, e, at[star], 0, s.aperture_size, [&](std::int32_t v) {
      sum += v;
      ++count;
    });
    store_sum(sums, star, sum, static_cast<double>(sum));
    sums.pixels[star] = count;
    std::vector<std::int32_t> ring;
    for_each_in_ring(frame, e, at[star], s.sky_inner, s.sky_outer,
                     [&](std::int32_t v) { ring.push_back(v); });
    sums.pixels[star + 1] = static_cast<std::int64_t>(ring.size());
    store_sky(sums, star + 1, lower_median(ring), static_cast<double>(count));
  }
}

void measure_squares(const ImageFrame& frame, Extent e, const PhotometrySettings& s,
                     const SlotPositions& at, ApertureSums& sums) {
  const int half = half_side(s.aperture_size);
  const bool sky_boxes = s.sky_mode == 0;
  for (int slot = 1; slot <= 6; ++slot) {
    if (slot % 2 == 0 && !sky_boxes) continue;
    std::int64_t count = 0;
    const std::int64_t sum = box_sum<std::int64_t>(frame, e, at[slot].x, at[slot].y, half, &count);
    store_sum(sums, slot, sum, static_cast<double>(sum));
    sums.pixels[slot] = count;
  }
  if (sky_boxes) return;
  for (int star : kStarSlots) {
    std::vector<std::int32_t> outline =
        square_outline_values(frame, e, at[star], half_side(s.sky_inner), half_side(s.sky_outer));
    sums.pixels[star + 1] = static_cast<std::int64_t>(outline.size());
    // The sky is scaled to the pixels the star's box really summed.
    store_sky(sums, star + 1, lower_median(outline), static_cast<double>(sums.pixels[star]));
  }
}

}  // namespace

SlotPositions peak_search(const ImageFrame& frame, const PhotometrySettings& settings,
                          const PositionTable& table) {
  const Extent e = image_extent(frame);
  const int half = half_side(settings.aperture_size);
  // Spans beyond the store reach nothing more; a negative span searches nowhere.
  const double span_limit = 4.0 * ImageFrame::kMaxSide;
  const double wanted_span = std::isnan(settings.search_span) ? -1 : settings.search_span;
  const long long span =
      static_cast<long long>(std::floor(std::clamp(wanted_span, -1.0, span_limit)));
  SlotPositions found = table.entries;
  for (int star : kStarSlots) {
    const Position stored = table[star];
    const Position best = settings.sum_mode == 0
                              ? search_one_star<std::int64_t>(frame, e, stored, span, half)
                              : search_one_star<double>(frame, e, stored, span, half);
    found[star] = best;
    found[star + 1] = {table[star + 1].x + (best.x - stored.x),
                       table[star + 1].y + (best.y - stored.y)};
  }
  return found;
}

bool ApertureSums::has_signal(int star_slot) const {
  return sum_mode == 0 ? whole[star_slot] > whole[star_slot + 1]
                       : real[star_slot] > real[star_slot + 1];
}

double ApertureSums::signal(int star_slot) const {
  return sum_mode == 0 ? static_cast<double>(whole[star_slot] - whole[star_slot + 1])
                       : real[star_slot] - real[star_slot + 1];
}

ApertureSums measure_apertures(const ImageFrame& frame, const PhotometrySettings& settings,
                               const SlotPositions& positions) {
  ApertureSums sums;
  sums.sum_mode = settings.sum_mode;
  const Extent e = image_extent(frame);
  if (settings.aperture_shape == 0) {
    measure_circles(frame, e, settings, positions, sums);
  } else {
    measure_squares(frame, e, settings, positions, sums);
  }
  return sums;
}

std::array<std::int32_t, 3> aperture_peaks(const ImageFrame& frame,
                                           const PhotometrySettings& settings,
                                           const SlotPositions& positions) {
  std::array<std::int32_t, 3> peaks{};
  const Extent e = image_extent(frame);
  for (int star = 0; star < 3; ++star) {
    const Position c = positions[kStarSlots[star]];
    std::int32_t peak = std::numeric_limits<std::int32_t>::min();
    const auto visit = [&](std::int32_t v) { peak = std::max(peak, v); };
    if (settings.aperture_shape == 0) {
      for_each_in_ring(frame, e, c, 0, settings.aperture_size, visit);
    } else {
      const int half = half_side(settings.aperture_size);
      const int x0 = std::max(c.x - half, 0), x1 = std::min(c.x + half, e.width - 1);
      for (int y = std::max(c.y - half, 0); y <= std::min(c.y + half, e.height - 1); ++y) {
        for (int x = x0; x <= x1; ++x) visit(frame.pixels.at(x, y));
      }
    }
    peaks[static_cast<std::size_t>(star)] = peak;
  }
  return peaks;
}

std::int32_t saturation_level(const ImageFrame& frame) {
  constexpr double kMax = std::numeric_limits<std::int32_t>::max();
  double level = kMax;
  if (frame.is_float == 0 && frame.bitpix == 8) level = 255 + frame.bzero;
  if (frame.is_float == 0 && frame.bitpix == 16) {
    // Read unsigned without BZERO, two's complement plus 32768 with it: 65535 either way.
    level = frame.bzero == 0 || frame.bzero == 32768 ? 65535 : 32767 + frame.bzero;
  }
  return static_cast<std::int32_t>(std::clamp(level, 0.0, kMax));
}

std::vector<SaturatedStar> saturated_stars(const ImageFrame& frame,
                                           const PhotometrySettings& settings,
                                           const SlotPositions& positions, std::int32_t level) {
  std::vector<SaturatedStar> saturated;
  const std::array<std::int32_t, 3> peaks = aperture_peaks(frame, settings, positions);
  for (int star = 0; star < 3; ++star) {
    const std::int32_t peak = peaks[static_cast<std::size_t>(star)];
    if (peak >= level) saturated.push_back({star, peak});
  }
  return saturated;
}

std::string saturation_message(const std::string& file_name, const SaturatedStar& star) {
  static const char* const kNames[] = {"comparison", "variable", "check"};
  return file_name + ": " + kNames[star.star] + " star saturated (peak " +
         std::to_string(star.peak) + ")";
}

}  // namespace orvane::photometry
