#pragma once

#include <cstdint>
#include <limits>

// Loops marked with this are also built for AVX2, whose wider registers and byte shuffles the
// pixel loops profit from; the processor picks the version at load time. Not under the thread
// sanitizer, whose runtime is not yet set up when that choice is made and crashes the program.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__) && !defined(__SANITIZE_THREAD__)
#define ORVANE_VECTOR_CLONES [[gnu::target_clones("avx2", "default")]]
#else
#define ORVANE_VECTOR_CLONES
#endif

namespace orvane::core {

// The value as a candidate for max_value in dusky mode, where values of 60000 and more never
// become the maximum: v, or the lowest 32-bit value, chosen with a mask so that a loop over
// pixels stays free of branches and vectorises.
inline std::int32_t dusky_max_candidate(std::int32_t v) {
  const std::int32_t high_mask = -static_cast<std::int32_t>(v >= 60000);
  return (v & ~high_mask) | (std::numeric_limits<std::int32_t>::min() & high_mask);
}

}  // namespace orvane::core
