#include "display/auto_contrast.h"

#include <algorithm>
#include <cmath>
#include <mutex>
#include <vector>

#include "core/number_text.h"
#include "core/row_bands.h"

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

void count(const ImageFrame& frame, int w, int h, double bin_width, Histogram& bins) {
  for (int y = 0; y < h; ++y) {
    const std::int32_t* row = frame.pixels.row(y);
    for (int x = 0; x < w; ++x) {
      const int k = bin_of(row[x], frame.min_value, bin_width);
      if (k >= 0) ++bins[k];
    }
  }
}

// Counts every value from min_value to max_value of rows first_row .. end_row - 1 (one
// increment per pixel, no division); values outside that span go straight to their bin by the
// formula. Eight frame rows are read side by side, which the memory serves faster than one row
// after another with the store's gap between them.
void count_rows(const ImageFrame& frame, int w, int first_row, int end_row, std::uint32_t low,
                std::uint32_t span, double bin_width, std::vector<std::uint32_t>& per_value,
                Histogram& bins) {
  // Unsigned wrap-around: the offset is at most span exactly when the value lies in min..max.
  const auto count_one = [&](std::int32_t v) {
    const std::uint32_t offset = std::uint32_t(v) - low;
    if (offset <= span) {
      ++per_value[offset];
    } else {
      const int k = bin_of(v, frame.min_value, bin_width);
      if (k >= 0) ++bins[k];
    }
  };
  constexpr int kRowsAtOnce = 8;
  int y = first_row;
  for (; y + kRowsAtOnce <= end_row; y += kRowsAtOnce) {
    const std::int32_t* rows[kRowsAtOnce];
    for (int j = 0; j < kRowsAtOnce; ++j) rows[j] = frame.pixels.row(y + j);
    for (int x = 0; x < w; ++x) {
      std::uint32_t offsets[kRowsAtOnce];
      bool all_in_span = true;
#pragma GCC unroll 8
      for (int j = 0; j < kRowsAtOnce; ++j) {
        offsets[j] = std::uint32_t(rows[j][x]) - low;
        all_in_span &= offsets[j] <= span;
      }
      if (all_in_span) {
#pragma GCC unroll 8
        for (int j = 0; j < kRowsAtOnce; ++j) ++per_value[offsets[j]];
      } else {
        for (int j = 0; j < kRowsAtOnce; ++j) count_one(rows[j][x]);
      }
    }
  }
  for (; y < end_row; ++y) {
    const std::int32_t* row = frame.pixels.row(y);
    for (int x = 0; x < w; ++x) count_one(row[x]);
  }
}

// Counts every value from min_value to max_value first, then puts each value that occurs into
// its bin by the same formula. Used when the span is no larger than the number of pixels (and
// at most 4M values), where it is much faster than a division per pixel and gives the same bins.
void count_by_value(const ImageFrame& frame, int w, int h, double bin_width, Histogram& bins) {
  const std::uint32_t low = std::uint32_t(frame.min_value);
  const std::uint32_t span = std::uint32_t(std::int64_t{frame.max_value} - frame.min_value);
  // One set of counts per band of rows, added up at the end.
  struct Counts {
    std::vector<std::uint32_t> per_value;
    Histogram outside{};
  };
  std::vector<Counts> bands;
  std::mutex bands_mutex;
  core::for_each_row_band(h, std::int64_t{w} * h, [&](int first_row, int end_row) {
    Counts counts;
    counts.per_value.assign(std::size_t(span) + 1, 0);
    count_rows(frame, w, first_row, end_row, low, span, bin_width, counts.per_value,
               counts.outside);
    std::lock_guard<std::mutex> lock(bands_mutex);
    bands.push_back(std::move(counts));
  });
  for (const Counts& band : bands) {
    for (int k = 0; k <= kLastBin; ++k) bins[k] += band.outside[k];
  }
  for (std::uint32_t i = 0; i <= span; ++i) {
    std::uint64_t n = 0;
    for (const Counts& band : bands) n += band.per_value[i];
    if (n == 0) continue;
    const int k =
        bin_of(std::int32_t(std::int64_t{frame.min_value} + i), frame.min_value, bin_width);
    if (k >= 0) bins[k] += std::int64_t(n);
  }
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
  Histogram bins{};
  if (frame.max_value <= frame.min_value) return bins;
  const int w = std::min(frame.width, ImageFrame::kMaxSide);
  const int h = std::min(frame.height, ImageFrame::kMaxSide);
  if (w <= 0 || h <= 0) return bins;
  const double bin_width = (double(frame.max_value) - double(frame.min_value)) / kLastBin;
  const std::int64_t span = std::int64_t{frame.max_value} - frame.min_value;
  constexpr std::int64_t kMaxValues = std::int64_t{1} << 22;
  if (span + 1 <= kMaxValues && span + 1 <= std::int64_t{w} * h) {
    count_by_value(frame, w, h, bin_width, bins);
  } else {
    count(frame, w, h, bin_width, bins);
  }
  return bins;
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
