#pragma once

#include <memory>

#include "core/image_frame.h"
#include "photometry/position_table.h"

namespace orvane::photometry {

// A width x height frame whose every pixel is `value`.
inline std::unique_ptr<core::ImageFrame> flat_frame(int width, int height, int value) {
  auto frame = std::make_unique<core::ImageFrame>();
  frame->width = width;
  frame->height = height;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) frame->pixels.at(x, y) = value;
  return frame;
}

// The three stars at c, v, k, each sky 20 pixels to the right.
inline PositionTable stars_at(Position c, Position v, Position k) {
  PositionTable table;
  table.set_star(kComparison, c);
  table.set_star(kVariable, v);
  table.set_star(kCheck, k);
  return table;
}

}  // namespace orvane::photometry
