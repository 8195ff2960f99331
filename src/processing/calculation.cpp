#include "processing/calculation.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/number_text.h"
#include "core/vector_clones.h"
#include "processing/pixel_rounding.h"
#include "processing/row_pass.h"

namespace orvane::processing {
namespace {

// The extremes as the window keeps them: max starts at -1 and min at 2147483647, and each
// follows every value it is shown.
struct Extremes {
  std::int32_t max_value = -1;
  std::int32_t min_value = 2147483647;
};

ORVANE_VECTOR_CLONES void add_row(std::int32_t* row, int width, double operand, Extremes& e) {
  std::int32_t high = e.max_value, low = e.min_value;
  for (int x = 0; x < width; ++x) {
    row[x] = rounded_pixel(row[x] + operand);
    high = std::max(high, row[x]), low = std::min(low, row[x]);
  }
  e = {high, low};
}

ORVANE_VECTOR_CLONES void multiply_row(std::int32_t* row, int width, double operand, Extremes& e) {
  std::int32_t high = e.max_value, low = e.min_value;
  for (int x = 0; x < width; ++x) {
    row[x] = rounded_pixel(row[x] * operand);
    high = std::max(high, row[x]), low = std::min(low, row[x]);
  }
  e = {high, low};
}

ORVANE_VECTOR_CLONES void fold_row(const std::int32_t* row, int width, Extremes& e) {
  std::int32_t high = e.max_value, low = e.min_value;
  for (int x = 0; x < width; ++x) high = std::max(high, row[x]), low = std::min(low, row[x]);
  e = {high, low};
}

// round(c / (b + a x) x pixel) where the line's value is a finite number other than 0; the
// pixel as it was elsewhere, counted. f - f is 0 only for a finite f.
ORVANE_VECTOR_CLONES int level_row(std::int32_t* row, int width, double a, double b, double c) {
  int left = 0;
  for (int x = 0; x < width; ++x) {
    const double f = b + a * x;
    const bool usable = (f != 0.0) & (f - f == 0.0);
    const std::int32_t levelled = rounded_pixel(c / f * row[x]);
    left += usable ? 0 : 1;
    row[x] = usable ? levelled : row[x];
  }
  return left;
}

int usable_side(int side) {
  return std::clamp(side, 0, core::ImageFrame::kMaxSide);
}

}  // namespace

void calculate(core::ImageFrame& frame, CalcOperation operation, double operand) {
  const int width = usable_side(frame.width);
  const int height = usable_side(frame.height);
  Extremes e;
  for (int y = 0; y < height; ++y) {
    if (operation == CalcOperation::kAdd) {
      add_row(frame.pixels.row(y), width, operand, e);
    } else {
      multiply_row(frame.pixels.row(y), width, operand, e);
    }
  }
  frame.max_value = e.max_value;
  frame.min_value = e.min_value;
}

void set_read_calculation(core::ImageFrame& frame, CalcOperation operation, double operand,
                          bool whole_file_reading) {
  frame.read_calc_mode = whole_file_reading && operation == CalcOperation::kMultiply ? 1 : 0;
  frame.read_calc_operand = whole_file_reading ? operand : 0;
}

bool inclination_compensate(core::ImageFrame& frame, int row, std::int32_t* backup,
                            RowsOutcome& outcome) {
  const int width = usable_side(frame.width);
  if (row < 0 || row >= core::ImageFrame::kMaxSide || width < 2) {
    ++outcome.rows_left;
    return false;
  }
  std::int32_t* pixels = frame.pixels.row(row);
  double sx = 0, sy = 0, sxx = 0, sxy = 0;
  for (int x = 0; x < width; ++x) {
    const double p = pixels[x];
    sx += x, sy += p, sxx += double(x) * x, sxy += x * p;
  }
  if (backup != nullptr) std::copy(pixels, pixels + width, backup);
  const double n = width;
  const double denominator = sxx - sx * sx / n;
  const double a = (sxy - sx * sy / n) / denominator;
  const double b = (sy - a * sx) / n;
  const double c = b + a * width / 2;
  if (denominator == 0 || !std::isfinite(denominator) || !std::isfinite(c)) {
    ++outcome.rows_left;
    return false;
  }
  outcome.pixels_left += level_row(pixels, width, a, b, c);
  return true;
}

RowsOutcome inclination_compensate_all(core::ImageFrame& frame, core::UserInterface& ui) {
  const int width = usable_side(frame.width);
  const int height = usable_side(frame.height);
  const RowsOutcome outcome = run_rows(
      height, width, ui, "Calculation", [](int y) { return "Line :" + core::str(y); },
      [&](int first, int end, RowsOutcome& counts) {
        for (int y = first; y < end; ++y) inclination_compensate(frame, y, nullptr, counts);
      });
  // Every row's values, compensated or not; after a stop the rows not reached count as they
  // are, so the extremes always describe the frame.
  Extremes e;
  for (int y = 0; y < height; ++y) fold_row(frame.pixels.row(y), width, e);
  frame.max_value = e.max_value;
  frame.min_value = e.min_value;
  return outcome;
}

}  // namespace orvane::processing
