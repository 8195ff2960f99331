#include "processing/filter_rows.h"

#include <algorithm>
#include <cstdint>

#include "core/vector_clones.h"
#include "processing/pixel_rounding.h"
#include "processing/polynomial_fit.h"

namespace orvane::processing {
namespace {

// Means of 3 and 5 pixels rounded to the nearest whole number (no such mean of whole numbers is
// a half). Values below 2^28 in size, every camera's, are averaged in 32-bit integers, eight to
// a vector; larger ones in doubles, where the sums are exact and multiplying by a third or a
// fifth is off by far less than the 1/6 (1/10) between such a mean and a half.
constexpr std::int32_t kSmall = 1 << 28;

ORVANE_VECTOR_CLONES bool small_values(const std::int32_t* row, int width) {
  std::int32_t low = 0, high = 0;
  for (int x = 0; x < width; ++x) low = std::min(low, row[x]), high = std::max(high, row[x]);
  return low > -kSmall && high < kSmall;
}

// round(s / 3) = floor((s + 1) / 3) for |s| < 3 x 2^28, the division done on a positive number.
inline std::int32_t third_of(std::int32_t s) {
  return std::int32_t((std::uint32_t(s) + std::uint32_t(1 + 3 * kSmall)) / 3u) - kSmall;
}

// round(s / 5) = floor((s + 2) / 5) for |s| < 5 x 2^28.
inline std::int32_t fifth_of(std::int32_t s) {
  return std::int32_t((std::uint32_t(s) + std::uint32_t(2 + 5 * kSmall)) / 5u) - kSmall;
}

ORVANE_VECTOR_CLONES void three_point_small(const std::int32_t* __restrict from,
                                            std::int32_t* __restrict to, int width) {
  for (int x = 1; x < width - 1; ++x) to[x] = third_of(from[x - 1] + from[x] + from[x + 1]);
}

ORVANE_VECTOR_CLONES void three_point_large(const std::int32_t* __restrict from,
                                            std::int32_t* __restrict to, int width) {
  for (int x = 1; x < width - 1; ++x) {
    const double sum = double(from[x - 1]) + double(from[x]) + double(from[x + 1]);
    to[x] = rounded_in_range(sum * (1.0 / 3.0));
  }
}

ORVANE_VECTOR_CLONES void five_point_small(const std::int32_t* __restrict from,
                                           std::int32_t* __restrict to, int width) {
  for (int x = 2; x < width - 2; ++x) {
    to[x] = fifth_of(from[x - 2] + from[x - 1] + from[x] + from[x + 1] + from[x + 2]);
  }
}

ORVANE_VECTOR_CLONES void five_point_large(const std::int32_t* __restrict from,
                                           std::int32_t* __restrict to, int width) {
  for (int x = 2; x < width - 2; ++x) {
    const double sum = double(from[x - 2]) + double(from[x - 1]) + double(from[x]) +
                       double(from[x + 1]) + double(from[x + 2]);
    to[x] = rounded_in_range(sum * 0.2);
  }
}

}  // namespace

void three_point_row(const std::int32_t* from, std::int32_t* to, int width) {
  if (small_values(from, width)) return three_point_small(from, to, width);
  three_point_large(from, to, width);
}

void five_point_row(const std::int32_t* from, std::int32_t* to, int width) {
  if (small_values(from, width)) return five_point_small(from, to, width);
  five_point_large(from, to, width);
}

namespace {

// Whether pixel p goes, u being the sum of its two neighbours as they stand. t = round(sum / 3
// x 1.5) is sum / 2 rounded halves to even, and p > t holds exactly when u < p - 1, or u = p - 1
// with p odd (sum / 2 is then p - 1/2, which rounds to the even p - 1). Likewise p < round(sum /
// 3 x 0.5) exactly when u > 5p + 3, or u = 5p + 3 with p odd. A hot pixel becomes the
// neighbours' mean, and the cool test can then only give that mean again, so the pixel becomes
// that mean when either test holds.
inline bool hot_or_cool(std::int64_t u, std::int64_t p) {
  const bool odd = (p & 1) != 0;
  return (u < p - 1) | ((u == p - 1) & odd) | (u > 5 * p + 3) | ((u == 5 * p + 3) & odd);
}

// Whether a pixel of first .. end-1 may go, judged against the row as it stands: the two tests
// without their tie rules (so never false when one holds), in doubles, where the sums are exact
// and the loop vectorises.
ORVANE_VECTOR_CLONES bool any_hot_or_cool(const std::int32_t* row, int first, int end) {
  int any = 0;
  for (int x = first; x < end; ++x) {
    const double u = double(row[x - 1]) + double(row[x + 1]), p = row[x];
    any |= (u <= p - 1) | (u >= 5 * p + 3);
  }
  return any != 0;
}

// The same for a row of small values (below 2^28 in size), in 32-bit integers.
ORVANE_VECTOR_CLONES bool any_hot_or_cool_small(const std::int32_t* row, int first, int end) {
  int any = 0;
  for (int x = first; x < end; ++x) {
    const std::int32_t u = row[x - 1] + row[x + 1], p = row[x];
    any |= (u <= p - 1) | (u >= 5 * p + 3);
  }
  return any != 0;
}

// Pixels first .. end-1 from left to right, each judged against its left neighbour as corrected.
void correct_run(std::int32_t* row, int first, int end) {
  for (int x = first; x < end; ++x) {
    const std::int64_t u = std::int64_t{row[x - 1]} + row[x + 1];
    if (hot_or_cool(u, row[x])) {
      const std::int64_t half = u >> 1;
      row[x] = static_cast<std::int32_t>(half + (u & half & 1));  // u / 2, halves to even
    }
  }
}

}  // namespace

// Only a corrected left neighbour can change a judgement, and the row left of a block is final
// before the block is looked at; so a block none of whose pixels goes against the row as it
// stands stays as it is, and only blocks with a hot or cool pixel are walked one by one.
// A corrected pixel is a mean of its neighbours, so a row of small values stays one.
void hot_cool_row(std::int32_t* row, int width) {
  constexpr int kBlock = 64;
  const bool small = small_values(row, width);
  for (int first = 1; first < width - 1; first += kBlock) {
    const int end = std::min(first + kBlock, width - 1);
    const bool any =
        small ? any_hot_or_cool_small(row, first, end) : any_hot_or_cool(row, first, end);
    if (any) correct_run(row, first, end);
  }
}

namespace {

// The middle value of five by a selection network of seven compare-exchanges: the same value the
// program's exchange sort leaves in the middle, without branches. The exchanges whose other
// output is never used again shrink to one min or max.
inline std::int32_t median_of_5(std::int32_t p0, std::int32_t p1, std::int32_t p2, std::int32_t p3,
                                std::int32_t p4) {
  const std::int32_t a0 = std::min(p0, p1), a1 = std::max(p0, p1);  // p0 <= p1
  const std::int32_t b3 = std::min(p3, p4), b4 = std::max(p3, p4);  // p3 <= p4
  const std::int32_t c3 = std::max(a0, b3);                         // p0, p3
  const std::int32_t c1 = std::min(a1, b4);                         // p1, p4
  const std::int32_t d1 = std::min(c1, p2), d2 = std::max(c1, p2);  // p1, p2
  const std::int32_t e2 = std::min(d2, c3);                         // p2, p3
  return std::max(d1, e2);                                          // p1, p2
}

// The three middle values of the sorted five are their sum less the smallest and the largest.
struct PlusEnds {
  std::int32_t low, high;
};

inline PlusEnds plus_ends(std::int32_t a, std::int32_t b, std::int32_t c, std::int32_t d,
                          std::int32_t e) {
  return {std::min(std::min(std::min(a, b), std::min(c, d)), e),
          std::max(std::max(std::max(a, b), std::max(c, d)), e)};
}

ORVANE_VECTOR_CLONES void shade_average_small(const std::int32_t* __restrict up,
                                              const std::int32_t* __restrict at,
                                              const std::int32_t* __restrict down,
                                              std::int32_t* __restrict to, int width) {
  for (int x = 1; x < width - 1; ++x) {
    const std::int32_t a = up[x], b = down[x], c = at[x], d = at[x - 1], e = at[x + 1];
    const PlusEnds ends = plus_ends(a, b, c, d, e);
    to[x] = third_of(a + b + c + d + e - ends.low - ends.high);
  }
}

ORVANE_VECTOR_CLONES void shade_average_large(const std::int32_t* __restrict up,
                                              const std::int32_t* __restrict at,
                                              const std::int32_t* __restrict down,
                                              std::int32_t* __restrict to, int width) {
  for (int x = 1; x < width - 1; ++x) {
    const std::int32_t a = up[x], b = down[x], c = at[x], d = at[x - 1], e = at[x + 1];
    const PlusEnds ends = plus_ends(a, b, c, d, e);
    const double sum = double(a) + double(b) + double(c) + double(d) + double(e);
    to[x] = rounded_in_range((sum - ends.low - ends.high) * (1.0 / 3.0));
  }
}

}  // namespace

void shade_average_row(const std::int32_t* up, const std::int32_t* at, const std::int32_t* down,
                       std::int32_t* to, int width) {
  if (small_values(up, width) && small_values(at, width) && small_values(down, width)) {
    return shade_average_small(up, at, down, to, width);
  }
  shade_average_large(up, at, down, to, width);
}

ORVANE_VECTOR_CLONES void shade_median_row(const std::int32_t* __restrict up,
                                           const std::int32_t* __restrict at,
                                           const std::int32_t* __restrict down,
                                           std::int32_t* __restrict to, int width) {
  for (int x = 1; x < width - 1; ++x) {
    to[x] = median_of_5(up[x], down[x], at[x], at[x - 1], at[x + 1]);
  }
}

// The row replaced by round(polynomial(x)), evaluated as Polynomial does for degree 5, limited
// to the 32-bit range. With finite coefficients and x >= 0 no step can give NaN (an infinity
// times x stays infinite, and x = 0 multiplies only finite values), so that test is left out.
ORVANE_VECTOR_CLONES void polynomial_row(const Polynomial& fit, std::int32_t* row, int width) {
  const auto& c = fit.coefficients;
  const double c0 = c[0], c1 = c[1], c2 = c[2], c3 = c[3], c4 = c[4], c5 = c[5];
  for (int x = 0; x < width; ++x) {
    const double t = x;
    const double v = ((((c0 * t + c1) * t + c2) * t + c3) * t + c4) * t + c5;
    row[x] = rounded_in_range(std::min(std::max(v, -2147483648.0), 2147483647.0));
  }
}

}  // namespace orvane::processing
