#pragma once

// Steps timed against one memcpy of the frame they work on: the table the in-memory benchmarks
// print, a row per step with both medians, the ratio and whether it is within its target.
#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

#include "bench_support.h"
#include "core/image_frame.h"
#include "core/number_text.h"

namespace orvane::bench {

// Keeps the compiler from dropping work whose result is never read.
inline void keep(const void* p) {
  asm volatile("" : : "g"(p) : "memory");
}

inline void print_ratio_header(const std::string& first_column) {
  print(pad(first_column, 34) + pad("ours", 11, true) + pad("memcpy", 11, true) +
        pad("ratio", 8, true) + pad("target", 9, true) + "  result");
}

inline void print_ratio_row(const std::string& name, double ours, double copy, double target) {
  const double ratio = ours / copy;
  print(
      pad(name, 34) + pad(core::format(ours, "0.0") + " ms", 11, true) +
      pad(core::format(copy, "0.0") + " ms", 11, true) + pad(core::format(ratio, "0.00"), 8, true) +
      pad("<= " + core::format(target, "0.0"), 9, true) + (ratio <= target ? "  PASS" : "  FAIL"));
}

// Runs prepare() untimed, then step() and a memcpy of `bytes` bytes, each timed, `repetitions`
// times in turn, and prints the row of their medians.
template <typename Prepare, typename Step>
void bench_against_memcpy(const std::string& name, double target, std::size_t bytes,
                          int repetitions, Prepare prepare, Step step) {
  std::vector<char> from(bytes, 1), to(bytes, 2);
  std::vector<double> ours, copies;
  for (int i = 0; i < repetitions; ++i) {
    prepare();
    ours.push_back(elapsed_ms(step));
    copies.push_back(elapsed_ms([&] {
      std::memcpy(to.data(), from.data(), bytes);
      keep(to.data());
    }));
  }
  print_ratio_row(name, median(ours), median(copies), target);
}

// The in-memory benchmarks work on a 4096 x 4096 frame and print medians of nine runs.
inline constexpr int kSide = 4096;
inline constexpr int kRepetitions = 9;
inline constexpr std::size_t kFrameBytes = std::size_t(kSide) * kSide * sizeof(std::int32_t);

// Times step(frame) on the frame as made (its undo copy put back before each run, untimed),
// alternately with a memcpy of the frame's 64 MB.
template <typename Step>
void bench_frame_step(core::ImageFrame& frame, const std::string& name, double target, Step step) {
  bench_against_memcpy(
      name, target, kFrameBytes, kRepetitions, [&] { (void)core::undo_restore(frame); },
      [&] { step(frame); });
}

}  // namespace orvane::bench
