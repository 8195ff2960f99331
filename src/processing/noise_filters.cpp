#include "processing/noise_filters.h"

#include <algorithm>
#include <cstdint>

#include "processing/filter_rows.h"
#include "processing/polynomial_fit.h"
#include "processing/row_pass.h"

namespace orvane::processing {
namespace {

constexpr std::size_t kSide = core::PixelStore::kSide;

// Rows first .. end-1 replaced by their degree-5 fits.
void fifth_function_rows(const FitBasis& basis, core::ImageFrame& frame, int first, int end,
                         RowsOutcome& outcome) {
  fit_rows(basis, frame.pixels, first, end, 5,
           [&](std::int32_t* row, const std::optional<Polynomial>& fit) {
             if (fit) return polynomial_row(*fit, row, basis.width());
             ++outcome.rows_left;
           });
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
  const auto row = [&](int y) {
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
        return;
    }
  };
  const auto work = [&](int first, int end, RowsOutcome& outcome) {
    if (filter == NoiseFilter::kFifthFunction) {
      return fifth_function_rows(basis, frame, first, end, outcome);
    }
    for (int y = first; y < end; ++y) row(y);
  };
  return run_rows(
      height, width, ui, noise_filter_caption(filter), [](int) { return std::string(); }, work);
}

}  // namespace orvane::processing
