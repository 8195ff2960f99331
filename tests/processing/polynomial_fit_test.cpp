#include "processing/polynomial_fit.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

namespace orvane::processing {
namespace {

std::vector<std::int32_t> row_of(int width, double (*f)(double)) {
  std::vector<std::int32_t> row;
  for (int x = 0; x < width; ++x) row.push_back(std::int32_t(f(x)));
  return row;
}

TEST(FunctionApproximate, FindsThePolynomialOfTheRow) {
  const struct {
    const char* name;
    int width, degree;
    double (*f)(double);
    std::array<double, 6> expected;  // highest power first
  } cases[] = {
      {"3x^2 - 2x + 7 at degree 2",
       10,
       2,
       [](double x) { return 3 * x * x - 2 * x + 7; },
       {3, -2, 7}},
      {"a constant row at degree 4", 20, 4, [](double) { return 42.0; }, {0, 0, 0, 0, 42}},
      {"x^3 - 10x at degree 3", 12, 3, [](double x) { return x * x * x - 10 * x; }, {1, 0, -10, 0}},
  };
  for (const auto& c : cases) {
    const auto fit = function_approximate(row_of(c.width, c.f).data(), c.width, c.degree);
    ASSERT_TRUE(fit) << c.name;
    for (int k = 0; k <= c.degree; ++k) {
      EXPECT_NEAR(fit->coefficients[k], c.expected[k], 1e-6) << c.name << ", coefficient " << k;
    }
  }
}

TEST(FunctionApproximate, Degree5ThroughSixPointsAndAWideRow) {
  const std::vector<std::int32_t> six = {5, -3, 8, 100, 2, 7};
  const auto through = function_approximate(six.data(), 6, 5);
  ASSERT_TRUE(through);
  for (int x = 0; x < 6; ++x) EXPECT_NEAR((*through)(x), six[x], 1e-6) << "x = " << x;

  // A smooth 4000-column row, the parabola x (3999 - x) / 2 + 1000 (whole numbers up to about
  // 2 million): the degree-5 fit follows it to within a hundredth everywhere.
  const auto parabola = [](double x) { return x * (3999 - x) / 2 + 1000; };
  std::vector<std::int32_t> wide;
  for (int x = 0; x < 4000; ++x) wide.push_back(std::int32_t(parabola(x)));
  const auto fit = function_approximate(wide.data(), 4000, 5);
  ASSERT_TRUE(fit);
  double worst = 0;
  for (int x = 0; x < 4000; ++x) worst = std::max(worst, std::abs((*fit)(x)-parabola(x)));
  EXPECT_LT(worst, 0.01) << worst;

  // Rows fitted together with one basis give what each row alone gives, to the last bit.
  const FitBasis basis(6);
  const std::vector<std::int32_t> others[] = {
      {1, 1, 2, 3, 5, 8}, {9, 0, 9, 0, 9, 0}, {-7, 3, 3, 3, 3, 2}};
  const std::int32_t* rows[] = {others[0].data(), six.data(), others[1].data(), others[2].data()};
  std::optional<Polynomial> together[4];
  function_approximate_rows(basis, rows, 4, 5, together);
  for (int r = 0; r < 4; ++r) {
    EXPECT_EQ(together[r]->coefficients, function_approximate(rows[r], 6, 5)->coefficients) << r;
  }

  EXPECT_FALSE(function_approximate(six.data(), 5, 5)) << "fewer columns than unknowns";
  EXPECT_FALSE(function_approximate(six.data(), 6, 6)) << "degree outside 2..5";
}

}  // namespace
}  // namespace orvane::processing
