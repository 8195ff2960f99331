#include "processing/polynomial_fit.h"

#include <algorithm>
#include <cmath>

namespace orvane::processing {
namespace {

constexpr int kUnknowns = FitBasis::kMaxDegree + 1;

// The moments T_k = sum of x^k y(x), k = 0..5, in one pass in column order.
std::array<double, kUnknowns> moments(const FitBasis& basis, const std::int32_t* row) {
  const double *p1 = basis.powers(1), *p2 = basis.powers(2), *p3 = basis.powers(3);
  const double *p4 = basis.powers(4), *p5 = basis.powers(5);
  double t0 = 0, t1 = 0, t2 = 0, t3 = 0, t4 = 0, t5 = 0;
  for (int x = 0; x < basis.width(); ++x) {
    const double y = row[x];
    t0 += y, t1 += p1[x] * y, t2 += p2[x] * y, t3 += p3[x] * y, t4 += p4[x] * y, t5 += p5[x] * y;
  }
  return {t0, t1, t2, t3, t4, t5};
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

std::optional<Polynomial> function_approximate(const FitBasis& basis, const std::int32_t* row,
                                               int degree) {
  const int n = degree + 1;
  if (degree < 2 || degree > FitBasis::kMaxDegree || basis.width() < n) return std::nullopt;
  const std::array<double, kUnknowns> t = moments(basis, row);
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

std::optional<Polynomial> function_approximate(const std::int32_t* row, int width, int degree) {
  return function_approximate(FitBasis(width), row, degree);
}

}  // namespace orvane::processing
