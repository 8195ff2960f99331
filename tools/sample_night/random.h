#pragma once

#include <cmath>
#include <cstdint>

// The generator's own random numbers. std:: distributions are not used: their output differs
// between standard library versions, and the sample night must be byte-identical everywhere.
namespace orvane::sample_night {

// SplitMix64: a 64-bit state stepped by a fixed odd constant and scrambled.
class SplitMix64 {
 public:
  explicit SplitMix64(std::uint64_t seed) : state_(seed) {}

  std::uint64_t next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }

  // Uniform in [0, 1) from the top 53 bits.
  double uniform() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }

 private:
  std::uint64_t state_;
};

// Standard normal deviates by the Box-Muller transform; the second value of each pair is kept
// for the next call.
class NormalSource {
 public:
  explicit NormalSource(std::uint64_t seed) : uniform_(seed) {}

  double next() {
    if (has_spare_) {
      has_spare_ = false;
      return spare_;
    }
    double u1 = uniform_.uniform();
    while (u1 <= 0.0) u1 = uniform_.uniform();
    const double u2 = uniform_.uniform();
    const double r = std::sqrt(-2.0 * std::log(u1));
    const double angle = 6.283185307179586 * u2;
    spare_ = r * std::sin(angle);
    has_spare_ = true;
    return r * std::cos(angle);
  }

 private:
  SplitMix64 uniform_;
  double spare_ = 0.0;
  bool has_spare_ = false;
};

// A seed for stream `index` of a run with `seed`, so each frame has its own noise and the
// frames do not depend on the order they are made in.
inline std::uint64_t stream_seed(std::uint64_t seed, std::uint64_t index) {
  return SplitMix64(seed ^ ((index + 1) * 0xD1B54A32D192ED03ULL)).next();
}

}  // namespace orvane::sample_night
