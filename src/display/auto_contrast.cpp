#include "display/auto_contrast.h"

#include <algorithm>
#include <cmath>

#include "core/number_text.h"
#include "display/value_counts.h"

namespace orvane::display {

namespace {

using orvane::core::ImageFrame;

constexpr int kLastBin = kHistogramBins - 1;  // 300

// Bin of a value: floor((v - min) / bin_width + 0.5); below 0 counts in bin 0, -1 when above
// bin 300 (values over a stale or dusky max_value), which are left out.
int bin_of(std::int32_t v, std::int32_t min_value, double bin_width) {
  const double k = std::floor((double(v) - double(min_value)) / bin_width + 0.5);
  if (k < 0) return 0;
  if (k > kLastBin) return -1;
  return int(k);
}

// The frame value at the centre of bin k: floor(min + k * (max - min) / 300 + 0.5).
std::int32_t bin_value(int k, const ImageFrame& frame) {
  const double span = double(frame.max_value) - double(frame.min_value);
  const double v = std::floor(double(frame.min_value) + k * span / kLastBin + 0.5);
  return orvane::core::round_to_i32(v);
}

// sqrt(h(k-2)^2 + ... + h(k+2)^2) / 5, neighbours beyond bins 0 and 300 taken as 0. The
// squares stay below 2^53, so the sum is exact.
double smoothed(const Histogram& bins, int k) {
  double sum = 0;
  for (int j = std::max(k - 2, 0); j <= std::min(k + 2, kLastBin); ++j)
    sum += double(bins[j]) * double(bins[j]);
  return std::sqrt(sum) / 5;
}

}  // namespace

Histogram histogram_bins(const ImageFrame& frame) {
  if (frame.max_value <= frame.min_value) return Histogram{};
  const double bin_width = (double(frame.max_value) - double(frame.min_value)) / kLastBin;
  return count_bins(frame, [&](std::int32_t v) { return bin_of(v, frame.min_value, bin_width); });
}

void auto_contrast(const ImageFrame& frame, DisplayState& state) {
  // A frame with a single value (or none yet) has no histogram: range and background stay.
  if (frame.max_value > frame.min_value) {
    const Histogram bins = histogram_bins(frame);
    const int peak = int(std::max_element(bins.begin(), bins.end()) - bins.begin());
    std::array<double, kHistogramBins> profile{};
    for (int k = 0; k <= kLastBin; ++k) profile[k] = smoothed(bins, k);
    const double edge_level = 0.1 * profile[peak];
    // Where the profile never falls below the level (a peak at either end, e.g. the sky in
    // bin 0 under one saturated star), the end bin is the edge.
    int lower = 0;
    for (int k = peak; k >= 0; --k) {
      if (profile[k] < edge_level) {
        lower = k;
        break;
      }
    }
    int upper = kLastBin;
    for (int k = peak; k <= kLastBin; ++k) {
      if (profile[k] < edge_level) {
        upper = k;
        break;
      }
    }
    state.background = bin_value(lower, frame);
    state.range =
        orvane::core::clamp_to_i32(std::int64_t{bin_value(upper, frame)} - state.background);
    // "Dusky picture": a darker picture with the background lifted.
    if (frame.dusky_mode) {
      state.range = orvane::core::round_to_i32(double(state.range) * 10);
      state.background = orvane::core::round_to_i32(double(state.background) * 1.5);
    }
  }
  if (state.range <= 0) state.range = 1;
}

}  // namespace orvane::display
