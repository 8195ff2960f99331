// Binning and the bow correction on one 4096 x 4096 frame against one memcpy of the frame's
// 64 MB:
//   cmake --build build/release --target run_spectra_bench
// Binning of five zones that together cover every row within 3 x the memcpy; the bow correction
// with a fractional shift on every row within 5 x. Figures are medians of kRepetitions runs, ours
// and the memcpy timed alternately; before each run the frame is put back as it was (not timed).
// A missed target prints FAIL, but the exit status is 0: this is a measurement, not a test.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "bench_support.h"
#include "core/image_frame.h"
#include "core/number_text.h"
#include "memcpy_ratio.h"
#include "processing/binning.h"
#include "processing/bow_correction.h"

namespace {

using orvane::bench::bench_frame_step;
using orvane::bench::keep;
using orvane::bench::print;
using orvane::bench::print_ratio_header;

namespace core = orvane::core;
namespace processing = orvane::processing;

using orvane::bench::kRepetitions;
using orvane::bench::kSide;

// A slit spectrum: a continuum along the rows with absorption lines that bend with the row,
// on noise of 25.
void make_frame(core::ImageFrame& frame) {
  frame.width = frame.height = kSide;
  std::mt19937 rng(20240613);
  std::normal_distribution<float> noise(0.0f, 25.0f);
  for (int y = 0; y < kSide; ++y) {
    const double bend = 1e-6 * (y - kSide / 2.0) * (y - kSide / 2.0);
    for (int x = 0; x < kSide; ++x) {
      const double line = std::cos((x + bend) * 0.05);
      const double v = 20000 + 8000 * line * line + noise(rng);
      frame.pixels.at(x, y) = std::int32_t(std::clamp(v, 0.0, 65535.0));
    }
  }
  frame.bitpix = 16;
  core::undo_take(frame);
}

}  // namespace

int main() {
  print("Orvane spectra benchmark (" + std::string(ORVANE_BENCH_CONFIG) +
        " build, 4096 x 4096, medians of " + core::str_trimmed(kRepetitions) + " runs)");
  if (std::string(ORVANE_BENCH_CONFIG) != "Release") {
    print("warning: not a Release build, the figures mean little");
  }
  auto frame = std::make_unique<core::ImageFrame>();
  make_frame(*frame);
  print_ratio_header("step");
  // Five zones of 819 rows each, rows 0 to 4094: every zone row read once and written once.
  processing::BinningZones zones{};
  for (int k = 0; k < 5; ++k) zones[std::size_t(k)] = {k * 819.0, k * 819.0 + 818};
  bench_frame_step(*frame, "Binning, five zones", 3, [&zones](core::ImageFrame& f) {
    const auto outcome = processing::bin_zones(f, zones);
    if (!outcome) print("binning refused: " + outcome.error());
    keep(&outcome);
  });
  // A parabolic bow of up to 4.2 pixels with a fraction on every row.
  processing::BowShifts shifts(std::size_t(core::ImageFrame::kMaxSide), 0.0);
  for (int y = 0; y < kSide; ++y)
    shifts[std::size_t(y)] = 0.37 + 1e-6 * (y - 2048.0) * (y - 2048.0);
  bench_frame_step(*frame, "Bow correction, every row", 5,
                   [&shifts](core::ImageFrame& f) { processing::bow_correct(f, shifts); });
  return 0;
}
