#pragma once

#include <cstdint>

#include "core/polynomial.h"

// The noise filters' work on one row, each exactly as the filter's formula says. `from` (and
// `up`, `at`, `down`) are rows of the undo copy, `to` and `row` rows of the frame; `width` is
// the frame's width. Columns the filter leaves alone are not written.
namespace orvane::processing {

// "3 point average": columns 1 .. width-2 become round((from[x-1] + from[x] + from[x+1]) / 3).
void three_point_row(const std::int32_t* from, std::int32_t* to, int width);

// "5 point average": columns 2 .. width-3 become the rounded mean of from[x-2 .. x+2].
void five_point_row(const std::int32_t* from, std::int32_t* to, int width);

// "Remove Hot/Cool Pixel" in place, left to right: a pixel above 1.5 times or below half the
// mean of itself and its neighbours (the left one as corrected) becomes the rounded mean of the
// two neighbours, halves to even.
void hot_cool_row(std::int32_t* row, int width);

// "shade off (average)" and "(median)": columns 1 .. width-2 become the mean of the middle three,
// or the middle one, of the plus up[x], down[x], at[x-1], at[x], at[x+1].
void shade_average_row(const std::int32_t* up, const std::int32_t* at, const std::int32_t* down,
                       std::int32_t* to, int width);
void shade_median_row(const std::int32_t* up, const std::int32_t* at, const std::int32_t* down,
                      std::int32_t* to, int width);

// The row replaced by round(fit(x)) for a degree-5 fit, limited to the 32-bit range.
void polynomial_row(const core::Polynomial& fit, std::int32_t* row, int width);

}  // namespace orvane::processing
