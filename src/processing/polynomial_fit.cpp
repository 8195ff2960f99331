#include "processing/polynomial_fit.h"

#include <algorithm>
#include <cmath>

#include "core/vector_clones.h"

namespace orvane::processing {
namespace {

constexpr int kUnknowns = FitBasis::kMaxDegree + 1;

using Moments = std::array<double, kUnknowns>;

// Four doubles side by side, one per row; each lane is summed exactly as one row alone would be.
typedef double Lanes __attribute__((vector_size(4 * sizeof(double))));

// The moments T_k = sum of x^k y(x), k = 0..5, of four rows in one pass in column order.
ORVANE_VECTOR_CLONES void moments(const FitBasis& basis, const std::int32_t* const* rows,
                                  Moments* out) {
  const double *p1 = basis.powers(1), *p2 = basis.powers(2), *p3 = basis.powers(3);
  const double *p4 = basis.powers(4), *p5 = basis.powers(5);
  const std::int32_t *r0 = rows[0], *r1 = rows[1], *r2 = rows[2], *r3 = rows[3];
  Lanes t0{}, t1{}, t2{}, t3{}, t4{}, t5{};
  for (int x = 0; x < basis.width(); ++x) {
    const Lanes y = {double(r0[x]), double(r1[x]), double(r2[x]), double(r3[x])};
    t0 += y, t1 += p1[x] * y, t2 += p2[x] * y, t3 += p3[x] * y, t4 += p4[x] * y, t5 += p5[x] * y;
  }
  for (int r = 0; r < kRowsAtOnce; ++r) out[r] = {t0[r], t1[r], t2[r], t3[r], t4[r], t5[r]};
}

// Gauss-Jordan elimination in place without pivoting on the n x (n + 1) matrix; false when a
// pivot is 0 or not finite.
bool eliminate(std::array<std::array<double, kUnknowns + 1>, kUnknowns>& a, int n) {
  for (int k = 0; k < n; ++k) {
    const double p = a[k][k];
    if (p == 0 || !std::isfinite(p)) return false;
    for (int j = k; j <= n; ++j) a[k][j] = a[k][j] / p;
    for (int i = 0; i < n; ++i) {
      if (i == k) continue;
      const double f = a[i][k];
      for (int j = k; j <= n; ++j) a[i][j] = a[i][j] - a[k][j] * f;
    }
  }
  return true;
}

std::optional<Polynomial> solve(const FitBasis& basis, const Moments& t, int degree) {
  const int n = degree + 1;
  // Highest power first: a(i, j) = S(2(n-1) - i - j), a(i, n) = T(n-1-i).
  std::array<std::array<double, kUnknowns + 1>, kUnknowns> a{};
  for (int i = 0; i < n; ++i) {
    for (int j = 0; j < n; ++j) a[i][j] = basis.power_sum(2 * (n - 1) - i - j);
    a[i][n] = t[n - 1 - i];
  }
  if (!eliminate(a, n)) return std::nullopt;
  Polynomial fit;
  fit.degree = degree;
  for (int i = 0; i < n; ++i) {
    if (!std::isfinite(a[i][n])) return std::nullopt;
    fit.coefficients[i] = a[i][n];
  }
  return fit;
}

}  // namespace

FitBasis::FitBasis(int width) : width_(std::max(width, 0)), powers_(std::size_t(width_) * 5) {
  power_sums_[0] = width_;
  for (int x = 0; x < width_; ++x) {
    double power = x;
    for (int k = 1; k < int(power_sums_.size()); ++k) {
      if (k > 1) power = power * x;
      power_sums_[k] += power;
      if (k <= kMaxDegree) powers_[std::size_t(k - 1) * width_ + x] = power;
    }
  }
}

void function_approximate_rows(const FitBasis& basis, const std::int32_t* const* rows, int count,
                               int degree, std::optional<Polynomial>* fits) {
  count = std::clamp(count, 0, kRowsAtOnce);
  if (count == 0) return;
  if (degree < 2 || degree > FitBasis::kMaxDegree || basis.width() < degree + 1) {
    std::fill(fits, fits + count, std::nullopt);
    return;
  }
  // Lanes without a row of their own sum the first row again, unread.
  const std::int32_t* lanes[kRowsAtOnce];
  for (int r = 0; r < kRowsAtOnce; ++r) lanes[r] = rows[r < count ? r : 0];
  Moments t[kRowsAtOnce];
  moments(basis, lanes, t);
  for (int r = 0; r < count; ++r) fits[r] = solve(basis, t[r], degree);
}

std::optional<Polynomial> function_approximate(const FitBasis& basis, const std::int32_t* row,
                                               int degree) {
  std::optional<Polynomial> fit;
  function_approximate_rows(basis, &row, 1, degree, &fit);
  return fit;
}

std::optional<Polynomial> function_approximate(const std::int32_t* row, int width, int degree) {
  return function_approximate(FitBasis(width), row, degree);
}

}  // namespace orvane::processing
