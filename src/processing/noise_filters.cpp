#include "processing/noise_filters.h"

#include <algorithm>
#include <cstdint>

#include "core/vector_clones.h"
#include "processing/pixel_rounding.h"
#include "processing/polynomial_fit.h"
#include "processing/row_pass.h"

namespace orvane::processing {
namespace {

constexpr std::size_t kSide = core::PixelStore::kSide;

// Means of 3 and 5 pixels. The sums are exact in doubles; multiplying by a third or a fifth
// instead of dividing is off by far less than the 1/6 (1/10) that separates a mean of whole
// numbers from a half, so the rounding is the division's, and no mean can be a half.
ORVANE_VECTOR_CLONES void three_point_row(const std::int32_t* __restrict from,
                                          std::int32_t* __restrict to, int width) {
  for (int x = 1; x < width - 1; ++x) {
    const double sum = double(from[x - 1]) + double(from[x]) + double(from[x + 1]);
    to[x] = rounded_in_range(sum * (1.0 / 3.0));
  }
}

ORVANE_VECTOR_CLONES void five_point_row(const std::int32_t* __restrict from,
                                         std::int32_t* __restrict to, int width) {
  for (int x = 2; x < width - 2; ++x) {
    const double sum = double(from[x - 2]) + double(from[x - 1]) + double(from[x]) +
                       double(from[x + 1]) + double(from[x + 2]);
    to[x] = rounded_in_range(sum * 0.2);
  }
}

// In place: t = round(sum / 3 x 1.5) is sum / 2 rounded halves to even, and with u the sum of
// the two neighbours, p > t holds exactly when u < p - 1, or u = p - 1 with p odd (sum / 2 is
// then p - 1/2, which rounds to the even p - 1). Likewise p < round(sum / 3 x 0.5) exactly when
// u > 5p + 3, or u = 5p + 3 with p odd. A hot pixel becomes the neighbours' mean, and the cool
// test can then only give that mean again, so the pixel is that mean when either test holds.
// The chain through the corrected left neighbour is kept short: one addition, one comparison.
void hot_cool_row(std::int32_t* row, int width) {
  if (width < 3) return;
  std::int64_t left = row[0];
  for (int x = 1; x < width - 1; ++x) {
    const std::int64_t p = row[x];
    const std::int64_t u = left + row[x + 1];
    const bool odd = (p & 1) != 0;
    const bool hot = (u < p - 1) | ((u == p - 1) & odd);
    const bool cool = (u > 5 * p + 3) | ((u == 5 * p + 3) & odd);
    const std::int64_t half = u >> 1;
    const std::int64_t mean = half + (u & half & 1);  // u / 2, halves to even
    left = (hot | cool) ? mean : p;
    row[x] = static_cast<std::int32_t>(left);
  }
}

inline void order(std::int32_t& a, std::int32_t& b) {
  const std::int32_t low = std::min(a, b);
  b = std::max(a, b);
  a = low;
}

// The five values of the plus around (x, y) sorted by a sorting network, which ends in the
// order the program's exchange sort leaves them in, without branches.
struct SortedPlus {
  std::int32_t v[5];
};

inline SortedPlus sorted_plus(const std::int32_t* up, const std::int32_t* at,
                              const std::int32_t* down, int x) {
  SortedPlus s{{up[x], down[x], at[x], at[x - 1], at[x + 1]}};
  std::int32_t* v = s.v;
  order(v[0], v[1]), order(v[3], v[4]), order(v[2], v[4]);
  order(v[2], v[3]), order(v[0], v[3]), order(v[0], v[2]);
  order(v[1], v[4]), order(v[1], v[3]), order(v[1], v[2]);
  return s;
}

// up, at and down are rows y - 1, y and y + 1 of the copy.
ORVANE_VECTOR_CLONES void shade_average_row(const std::int32_t* __restrict up,
                                            const std::int32_t* __restrict at,
                                            const std::int32_t* __restrict down,
                                            std::int32_t* __restrict to, int width) {
  for (int x = 1; x < width - 1; ++x) {
    const SortedPlus s = sorted_plus(up, at, down, x);
    const double sum = double(s.v[1]) + double(s.v[2]) + double(s.v[3]);
    to[x] = rounded_in_range(sum * (1.0 / 3.0));
  }
}

ORVANE_VECTOR_CLONES void shade_median_row(const std::int32_t* __restrict up,
                                           const std::int32_t* __restrict at,
                                           const std::int32_t* __restrict down,
                                           std::int32_t* __restrict to, int width) {
  for (int x = 1; x < width - 1; ++x) to[x] = sorted_plus(up, at, down, x).v[2];
}

// The row replaced by round(polynomial(x)), evaluated as Polynomial does for degree 5.
ORVANE_VECTOR_CLONES void polynomial_row(const Polynomial& fit, std::int32_t* row, int width) {
  const auto& c = fit.coefficients;
  const double c0 = c[0], c1 = c[1], c2 = c[2], c3 = c[3], c4 = c[4], c5 = c[5];
  for (int x = 0; x < width; ++x) {
    const double t = x;
    row[x] = rounded_pixel(((((c0 * t + c1) * t + c2) * t + c3) * t + c4) * t + c5);
  }
}

void fifth_function_row(const FitBasis& basis, std::int32_t* row, RowsOutcome& outcome) {
  const std::optional<Polynomial> fit = function_approximate(basis, row, 5);
  if (!fit) {
    ++outcome.rows_left;
    return;
  }
  polynomial_row(*fit, row, basis.width());
}

int usable_side(int side) {
  return std::clamp(side, 0, core::ImageFrame::kMaxSide);
}

}  // namespace

std::string noise_filter_caption(NoiseFilter filter) {
  switch (filter) {
    case NoiseFilter::kHotCool:
      return "Remove Hot/Cool Pixel";
    case NoiseFilter::kThreePoint:
      return "3 point average";
    case NoiseFilter::kFivePoint:
      return "5 point average";
    case NoiseFilter::kShadeAverage:
      return "shade off (average)";
    case NoiseFilter::kShadeMedian:
      return "shade off (median)";
    case NoiseFilter::kFifthFunction:
      return "5th function approximation";
  }
  return {};
}

std::string noise_filter_question(NoiseFilter filter) {
  switch (filter) {
    case NoiseFilter::kHotCool:
      return "Remove, Hot pixel and Cool pixel";
    case NoiseFilter::kFifthFunction:
      return {};
    default:
      return noise_filter_caption(filter) + ", Start";
  }
}

RowsOutcome apply_noise_filter(core::ImageFrame& frame, NoiseFilter filter,
                               core::UserInterface& ui) {
  const int width = usable_side(frame.width);
  const int height = usable_side(frame.height);
  std::int32_t* pixels = frame.pixels.data();
  const std::int32_t* copy = frame.undo_pixels.data();
  const bool plus = filter == NoiseFilter::kShadeAverage || filter == NoiseFilter::kShadeMedian;
  const FitBasis basis(filter == NoiseFilter::kFifthFunction ? width : 0);
  const auto work = [&](int y, RowsOutcome& outcome) {
    std::int32_t* to = pixels + kSide * y;
    const std::int32_t* from = copy + kSide * y;
    // The plus filters leave the first and last rows as they were.
    if (plus && (y == 0 || y == height - 1)) return;
    switch (filter) {
      case NoiseFilter::kHotCool:
        return hot_cool_row(to, width);
      case NoiseFilter::kThreePoint:
        return three_point_row(from, to, width);
      case NoiseFilter::kFivePoint:
        return five_point_row(from, to, width);
      case NoiseFilter::kShadeAverage:
        return shade_average_row(from - kSide, from, from + kSide, to, width);
      case NoiseFilter::kShadeMedian:
        return shade_median_row(from - kSide, from, from + kSide, to, width);
      case NoiseFilter::kFifthFunction:
        return fifth_function_row(basis, to, outcome);
    }
  };
  return run_rows(
      height, width, ui, noise_filter_caption(filter), [](int) { return std::string(); }, work);
}

}  // namespace orvane::processing
