#include "processing/limb_correction.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <tuple>

#include "core/number_text.h"
#include "core/vector_clones.h"
#include "processing/pixel_rounding.h"
#include "processing/polynomial_fit.h"
#include "processing/row_pass.h"

namespace orvane::processing {
namespace {

// Sum of the row, exact in 64 bits.
ORVANE_VECTOR_CLONES std::int64_t row_sum(const std::int32_t* row, int width) {
  std::int64_t sum = 0;
  for (int x = 0; x < width; ++x) sum += row[x];
  return sum;
}

// round(pixel / f x m) where the fit f is a finite number other than 0; the pixel as it was
// elsewhere, counted. f - f is 0 only for a finite f, which keeps the loop free of branches.
ORVANE_VECTOR_CLONES int flatten_row(const Polynomial& fit, std::int32_t* row, int width,
                                     double level) {
  const auto& c = fit.coefficients;
  const double c0 = c[0], c1 = c[1], c2 = c[2], c3 = c[3], c4 = c[4], c5 = c[5];
  int left = 0;
  for (int x = 0; x < width; ++x) {
    const double t = x;
    const double f = ((((c0 * t + c1) * t + c2) * t + c3) * t + c4) * t + c5;
    const bool usable = (f != 0.0) & (f - f == 0.0);
    const std::int32_t corrected = rounded_pixel(row[x] / f * level);
    left += usable ? 0 : 1;
    row[x] = usable ? corrected : row[x];
  }
  return left;
}

// Rows first .. end-1 flattened.
void flatten_rows(const FitBasis& basis, core::ImageFrame& frame, int first, int end,
                  RowsOutcome& outcome) {
  const int width = basis.width();
  fit_rows(basis, frame.pixels, first, end, 5,
           [&](std::int32_t* row, const std::optional<Polynomial>& fit) {
             if (!fit) {
               ++outcome.rows_left;
               return;
             }
             // A fit needs 6 columns, so width - 1 is never 0 here.
             const std::int32_t m = core::round_to_i32(double(row_sum(row, width)) / (width - 1));
             outcome.pixels_left += flatten_row(*fit, row, width, m);
           });
}

}  // namespace

RowsOutcome limb_darkening_correct(core::ImageFrame& frame, core::UserInterface& ui) {
  const int width = std::clamp(frame.width, 0, core::ImageFrame::kMaxSide);
  const int height = std::clamp(frame.height, 0, core::ImageFrame::kMaxSide);
  const FitBasis basis(width);
  const RowsOutcome outcome = run_rows(
      height, width, ui, kLimbQuestion, [](int) { return std::string(); },
      [&](int first, int end, RowsOutcome& counts) {
        flatten_rows(basis, frame, first, end, counts);
      });
  std::tie(frame.max_value, frame.min_value) = core::extremes_without_zeros(frame);
  return outcome;
}

}  // namespace orvane::processing
