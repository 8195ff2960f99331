#pragma once

#include <array>

namespace orvane::core {

// A polynomial of degree 2 to 5 as the fit gives it, coefficients highest power first:
// c0 x^degree + c1 x^(degree-1) + ... + c_degree. The fitting (processing) and the chart that
// draws the fitted curve (display) both use it.
struct Polynomial {
  int degree = 0;
  std::array<double, 6> coefficients{};

  // The value at x, by Horner's scheme.
  double operator()(double x) const {
    double v = coefficients[0];
    for (int k = 1; k <= degree; ++k) v = v * x + coefficients[k];
    return v;
  }
};

}  // namespace orvane::core
