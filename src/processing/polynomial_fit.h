#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/pixel_store.h"
#include "core/polynomial.h"

namespace orvane::processing {

using core::Polynomial;

// What the least-squares fit of a row needs from the columns alone, x = 0 .. width-1: the power
// sums S0..S10 and each column's powers x^1..x^5, all formed by repeated multiplication as the
// fit forms them. A run over many rows of one width makes it once.
class FitBasis {
 public:
  static constexpr int kMaxDegree = 5;

  explicit FitBasis(int width);

  int width() const { return width_; }
  // S_k = sum of x^k, k = 0..10.
  double power_sum(int k) const { return power_sums_[k]; }
  // x^k for x = 0 .. width-1, k = 1..5.
  const double* powers(int k) const { return powers_.data() + std::size_t(k - 1) * width_; }

 private:
  int width_;
  std::array<double, 2 * kMaxDegree + 1> power_sums_{};
  std::vector<double> powers_;
};

// function_approximate: the least-squares polynomial of `degree` (2..5) through the row's
// values at x = 0 .. width-1, from the normal equations solved by Gauss-Jordan elimination
// without pivoting. Nothing when the degree is outside 2..5, the row has fewer than degree + 1
// columns, a pivot is 0 or not finite, or a coefficient comes out not finite.
std::optional<Polynomial> function_approximate(const FitBasis& basis, const std::int32_t* row,
                                               int degree);
std::optional<Polynomial> function_approximate(const std::int32_t* row, int width, int degree);

// The fits of `count` rows (1 .. kRowsAtOnce) of the basis' width into fits[0 .. count-1], each
// exactly what function_approximate gives for that row alone; the rows' sums are formed side by
// side, which is faster.
inline constexpr int kRowsAtOnce = 4;
void function_approximate_rows(const FitBasis& basis, const std::int32_t* const* rows, int count,
                               int degree, std::optional<Polynomial>* fits);

// Fits the rows first .. end-1 of the store, four at a time, and hands each to
// fitted(row pointer, fit), the fit empty when none could be made. fitted may change its row.
template <typename Fitted>
void fit_rows(const FitBasis& basis, core::PixelStore& pixels, int first, int end, int degree,
              Fitted fitted) {
  for (int y = first; y < end; y += kRowsAtOnce) {
    const int count = std::min(kRowsAtOnce, end - y);
    const std::int32_t* rows[kRowsAtOnce];
    std::optional<Polynomial> fits[kRowsAtOnce];
    for (int r = 0; r < count; ++r) rows[r] = pixels.row(y + r);
    function_approximate_rows(basis, rows, count, degree, fits);
    for (int r = 0; r < count; ++r) fitted(pixels.row(y + r), fits[r]);
  }
}

}  // namespace orvane::processing
