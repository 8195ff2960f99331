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

namespace {

using orvane::bench::elapsed_ms;
using orvane::bench::median;
using orvane::bench::pad;
using orvane::bench::print;

namespace core = orvane::core;
namespace display = orvane::display;

constexpr int kRepetitions = 9;
constexpr int kSide = 4096;

void keep(const void* p) {
  asm volatile("" : : "g"(p) : "memory");
}

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
  std::vector<std::int32_t> from(std::size_t(kSide) * kSide, 1), to(from.size(), 2);
  std::vector<double> ours, copies;
  for (int i = 0; i < kRepetitions; ++i) {
    ours.push_back(elapsed_ms([&] {
      const display::Histogram counts = chart();
      keep(&counts);
    }));
    copies.push_back(elapsed_ms([&] {
      std::memcpy(to.data(), from.data(), from.size() * sizeof(std::int32_t));
      keep(to.data());
    }));
  }
  const double ratio = median(ours) / median(copies);
  print(pad(name, 24) + pad(core::format(median(ours), "0.0") + " ms", 11, true) +
        pad(core::format(median(copies), "0.0") + " ms", 11, true) +
        pad(core::format(ratio, "0.00"), 8, true) + pad("<= 2.0", 9, true) +
        (ratio <= 2 ? "  PASS" : "  FAIL"));
}

}  // namespace

int main() {
  print("Orvane contrast window benchmark (" + std::string(ORVANE_BENCH_CONFIG) +
        " build, 4096 x 4096, medians of " + core::str_trimmed(kRepetitions) + " runs)");
  auto frame = std::make_unique<core::ImageFrame>();
  make_frame(*frame);
  print(pad("chart", 24) + pad("ours", 11, true) + pad("memcpy", 11, true) + pad("ratio", 8, true) +
        pad("target", 9, true) + "  result");
  bench_chart("whole span", [&] { return display::whole_span_chart(*frame); });
  bench_chart("window 900 .. 1200", [&] { return display::window_chart(*frame, 900, 300); });
  return 0;
}
