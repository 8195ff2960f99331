#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <string_view>

#include "core/row_bands.h"
#include "core/user_interface.h"
#include "processing/rows_outcome.h"

namespace orvane::processing {

// Runs rows_work(first, end, outcome) over the rows 0 .. height-1 of a frame `width` wide,
// telling ui.progress(caption, label(y), {y, height}) before row y; a progress call that
// answers "stop" ends the run before that row, the rows done staying changed. The rows run in
// batches, each spread over the processor cores in bands of whole rows, so rows_work may change
// only the rows first .. end-1 and count into the outcome it is handed; the progress calls of a
// batch come before its rows.
template <typename Label, typename RowsWork>
RowsOutcome run_rows(int height, int width, core::UserInterface& ui, std::string_view caption,
                     Label label, RowsWork rows_work) {
  constexpr long long kPixelsPerBatch = 1 << 21;
  const int batch =
      int(std::clamp<long long>(kPixelsPerBatch / std::max(width, 1), 1, std::max(height, 1)));
  core::ProgressGuard progress(ui);
  RowsOutcome outcome;
  std::atomic<int> rows_left{0}, pixels_left{0};
  for (int first = 0; first < height && !outcome.cancelled; first += batch) {
    int end = std::min(first + batch, height);
    for (int y = first; y < end; ++y) {
      if (!ui.progress(caption, label(y), {std::size_t(y), std::size_t(height)})) {
        end = y, outcome.cancelled = true;
      }
    }
    const long long pixels = static_cast<long long>(end - first) * width;
    core::for_each_row_band(end - first, pixels, [&](int from, int to) {
      RowsOutcome band;
      rows_work(first + from, first + to, band);
      rows_left += band.rows_left;
      pixels_left += band.pixels_left;
    });
  }
  outcome.rows_left = rows_left;
  outcome.pixels_left = pixels_left;
  return outcome;
}

}  // namespace orvane::processing
