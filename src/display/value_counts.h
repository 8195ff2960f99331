#pragma once

// Counting the frame's pixels into the 301 bins of a histogram, by any rule that puts a value
// into a bin: the automatic contrast and the histogram window's two charts.
#include <array>
#include <cstdint>
#include <functional>

#include "core/image_frame.h"

namespace orvane::display {

inline constexpr int kHistogramBins = 301;  // bins 0..300
using Histogram = std::array<std::int64_t, kHistogramBins>;

// The bin of a value, 0..300, or -1 for a value that is left out.
using BinOf = std::function<int(std::int32_t)>;

// Counts the width x height pixels by bin_of, in one pass over the frame. Where the frame's
// min_value..max_value span is small, every value in it is counted first and each value that
// occurs is put into its bin once, which gives the same bins as the rule applied pixel by pixel.
Histogram count_bins(const orvane::core::ImageFrame& frame, const BinOf& bin_of);

}  // namespace orvane::display
