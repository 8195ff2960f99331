// The contrast window's two charts on a 4096 x 4096 frame, each against one memcpy of the frame:
// counting the bins is one pass over the pixels and should cost no more than two copies.
#include <algorithm>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "bench_support.h"
#include "core/image_frame.h"
#include "core/number_text.h"
#include "display/histogram_chart.h"
#include "memcpy_ratio.h"

namespace {

using orvane::bench::bench_against_memcpy;
using orvane::bench::keep;
using orvane::bench::print;
using orvane::bench::print_ratio_header;

namespace core = orvane::core;
namespace display = orvane::display;

using orvane::bench::kRepetitions;
using orvane::bench::kSide;

// A night-sky frame: a sky of 1000 with noise of 30 and one star in a thousand pixels.
void make_frame(core::ImageFrame& frame) {
  frame.width = frame.height = kSide;
  std::mt19937 rng(20241207);
  std::normal_distribution<float> sky(1000.0f, 30.0f);
  std::uniform_int_distribution<int> star(0, 999);
  for (int y = 0; y < kSide; ++y) {
    for (int x = 0; x < kSide; ++x) {
      const double v = sky(rng) + (star(rng) == 0 ? 40000 : 0);
      frame.pixels.at(x, y) = std::int32_t(std::clamp(v, 1.0, 65535.0));
    }
  }
  frame.min_value = 1;
  frame.max_value = 65535;
}

template <typename Chart>
void bench_chart(const std::string& name, Chart chart) {
  bench_against_memcpy(
      name, 2, orvane::bench::kFrameBytes, kRepetitions, [] {},
      [&] {
        const display::Histogram counts = chart();
        keep(&counts);
      });
}

}  // namespace

int main() {
  print("Orvane contrast window benchmark (" + std::string(ORVANE_BENCH_CONFIG) +
        " build, 4096 x 4096, medians of " + core::str_trimmed(kRepetitions) + " runs)");
  auto frame = std::make_unique<core::ImageFrame>();
  make_frame(*frame);
  print_ratio_header("chart");
  bench_chart("whole span", [&] { return display::whole_span_chart(*frame); });
  bench_chart("window 900 .. 1200", [&] { return display::window_chart(*frame, 900, 300); });
  return 0;
}
