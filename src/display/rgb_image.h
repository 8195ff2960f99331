#pragma once

#include <cstdint>
#include <vector>

#include "core/large_buffer.h"

namespace orvane::display {

// 0xFFRRGGBB, the layout of a 32-bit RGB picture.
constexpr std::uint32_t rgb(int r, int g, int b) {
  return 0xFF000000u | (std::uint32_t(r) << 16) | (std::uint32_t(g) << 8) | std::uint32_t(b);
}
constexpr std::uint32_t grey(int g) {
  return rgb(g, g, g);
}
inline constexpr std::uint32_t kProfileGreen = rgb(0, 200, 0);

// A picture as 0xFFRRGGBB words, row after row without padding.
struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t, core::LargeBufferAllocator<std::uint32_t>> pixels;

  RgbImage() = default;
  RgbImage(int w, int h) : width(w), height(h), pixels(std::size_t(w) * std::size_t(h), grey(0)) {}

  bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
  std::uint32_t at(int x, int y) const { return pixels[std::size_t(y) * width + x]; }
  // Drawing outside the picture is dropped.
  void set(int x, int y, std::uint32_t colour) {
    if (contains(x, y)) pixels[std::size_t(y) * width + x] = colour;
  }
};

}  // namespace orvane::display
