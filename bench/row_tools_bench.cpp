// The row tools on one 4096 x 4096 frame against one memcpy of the frame's 64 MB:
//   cmake --build build/release --target run_row_tools_bench
// Each of the five pixel filters (the caller's undo copy not counted) within 3 x the memcpy;
// the 5th function approximation and the limb darkening correction, which fit every row, within
// 10 x. Figures are medians of kRepetitions runs, ours and the memcpy timed alternately; before
// each run the frame is put back as it was (not timed). A missed target prints FAIL, but the
// exit status is 0: this is a measurement, not a test.

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
#include "processing/limb_correction.h"
#include "processing/noise_filters.h"
#include "quiet_user_interface.h"

namespace {

using orvane::bench::bench_frame_step;
using orvane::bench::keep;
using orvane::bench::print;
using orvane::bench::print_ratio_header;

namespace core = orvane::core;
namespace processing = orvane::processing;

using orvane::bench::kRepetitions;
using orvane::bench::kSide;

using orvane::bench::QuietUserInterface;

// A solar disc of radius 1800 falling off towards its limb, on a dark sky, with noise of 25 and
// a few hot pixels: every filter finds work, and every row's fit a curve.
void make_frame(core::ImageFrame& frame) {
  frame.width = frame.height = kSide;
  std::mt19937 rng(20240613);
  std::normal_distribution<float> noise(0.0f, 25.0f);
  std::uniform_int_distribution<int> hot(0, 999);
  for (int y = 0; y < kSide; ++y) {
    for (int x = 0; x < kSide; ++x) {
      const double r = std::hypot(x - kSide / 2.0, y - kSide / 2.0) / 1800;
      const double disc = r < 1 ? 30000 * (0.4 + 0.6 * std::sqrt(1 - r * r)) : 300;
      const double v = disc + noise(rng) + (hot(rng) == 0 ? 20000 : 0);
      frame.pixels.at(x, y) = std::int32_t(std::clamp(v, 0.0, 65535.0));
    }
  }
  frame.bitpix = 16;
  core::undo_take(frame);
}

}  // namespace

int main() {
  print("Orvane row tools benchmark (" + std::string(ORVANE_BENCH_CONFIG) +
        " build, 4096 x 4096, " + "medians of " + core::str_trimmed(kRepetitions) + " runs)");
  if (std::string(ORVANE_BENCH_CONFIG) != "Release") {
    print("warning: not a Release build, the figures mean little");
  }
  auto frame = std::make_unique<core::ImageFrame>();
  make_frame(*frame);
  print_ratio_header("step");
  QuietUserInterface ui;
  using processing::NoiseFilter;
  for (NoiseFilter filter :
       {NoiseFilter::kHotCool, NoiseFilter::kThreePoint, NoiseFilter::kFivePoint,
        NoiseFilter::kShadeAverage, NoiseFilter::kShadeMedian, NoiseFilter::kFifthFunction}) {
    const double target = filter == NoiseFilter::kFifthFunction ? 10 : 3;
    bench_frame_step(*frame, processing::noise_filter_caption(filter), target,
                     [filter, &ui](core::ImageFrame& f) {
                       const auto outcome = processing::apply_noise_filter(f, filter, ui);
                       keep(&outcome);
                     });
  }
  bench_frame_step(*frame, "Limb Darkening Correction", 10, [&ui](core::ImageFrame& f) {
    const auto outcome = processing::limb_darkening_correct(f, ui);
    keep(&outcome);
  });
  return 0;
}
