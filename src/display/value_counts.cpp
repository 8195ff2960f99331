#include "display/value_counts.h"

#include <algorithm>
#include <mutex>
#include <vector>

#include "core/row_bands.h"

namespace orvane::display {

namespace {

using orvane::core::ImageFrame;

void count(const ImageFrame& frame, int w, int h, const BinOf& bin_of, Histogram& bins) {
  for (int y = 0; y < h; ++y) {
    const std::int32_t* row = frame.pixels.row(y);
    for (int x = 0; x < w; ++x) {
      const int k = bin_of(row[x]);
      if (k >= 0) ++bins[k];
    }
  }
}

// Counts every value from min_value to max_value of rows first_row .. end_row - 1 (one
// increment per pixel, no division); values outside that span go straight to their bin by the
// formula. Eight frame rows are read side by side, which the memory serves faster than one row
// after another with the store's gap between them.
void count_rows(const ImageFrame& frame, int w, int first_row, int end_row, std::uint32_t low,
                std::uint32_t span, const BinOf& bin_of, std::vector<std::uint32_t>& per_value,
                Histogram& bins) {
  // Unsigned wrap-around: the offset is at most span exactly when the value lies in min..max.
  const auto count_one = [&](std::int32_t v) {
    const std::uint32_t offset = std::uint32_t(v) - low;
    if (offset <= span) {
      ++per_value[offset];
    } else {
      const int k = bin_of(v);
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
void count_by_value(const ImageFrame& frame, int w, int h, const BinOf& bin_of, Histogram& bins) {
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
    count_rows(frame, w, first_row, end_row, low, span, bin_of, counts.per_value, counts.outside);
    std::lock_guard<std::mutex> lock(bands_mutex);
    bands.push_back(std::move(counts));
  });
  for (const Counts& band : bands) {
    for (int k = 0; k < kHistogramBins; ++k) bins[k] += band.outside[k];
  }
  for (std::uint32_t i = 0; i <= span; ++i) {
    std::uint64_t n = 0;
    for (const Counts& band : bands) n += band.per_value[i];
    if (n == 0) continue;
    const int k = bin_of(std::int32_t(std::int64_t{frame.min_value} + i));
    if (k >= 0) bins[k] += std::int64_t(n);
  }
}

}  // namespace

Histogram count_bins(const ImageFrame& frame, const BinOf& bin_of) {
  Histogram bins{};
  const int w = std::min(frame.width, ImageFrame::kMaxSide);
  const int h = std::min(frame.height, ImageFrame::kMaxSide);
  if (w <= 0 || h <= 0) return bins;
  const std::int64_t span = std::int64_t{frame.max_value} - frame.min_value;
  constexpr std::int64_t kMaxValues = std::int64_t{1} << 22;
  if (span >= 0 && span + 1 <= kMaxValues && span + 1 <= std::int64_t{w} * h) {
    count_by_value(frame, w, h, bin_of, bins);
  } else {
    count(frame, w, h, bin_of, bins);
  }
  return bins;
}

}  // namespace orvane::display
