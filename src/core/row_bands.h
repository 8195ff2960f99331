#pragma once

#include <algorithm>
#include <thread>
#include <vector>

namespace orvane::core {

// Runs work(first_row, end_row) over bands of rows, one band per processor core for large
// pictures, and returns when every band is done. Each band writes only its own rows (or its
// own counts), so the result is the same as one pass; bands start at multiples of 8 rows, the
// block height of the drawing loops.
template <typename Work>
void for_each_row_band(int rows, long long pixels, Work work) {
  constexpr long long kPixelsWorthAThread = 1 << 20;
  constexpr int kAlign = 8;
  const int cores = int(std::clamp(std::thread::hardware_concurrency(), 1u, 4u));
  const int bands = int(std::clamp<long long>(pixels / kPixelsWorthAThread, 1, cores));
  if (bands <= 1 || rows < 2 * kAlign) {
    work(0, rows);
    return;
  }
  const int per_band = (rows / bands + kAlign - 1) / kAlign * kAlign;
  std::vector<std::thread> helpers;
  int first = per_band;
  for (int b = 1; b < bands && first < rows; ++b, first += per_band) {
    helpers.emplace_back(work, first, std::min(first + per_band, rows));
  }
  work(0, std::min(per_band, rows));
  for (auto& helper : helpers) helper.join();
}

}  // namespace orvane::core
