#pragma once

#include <memory>
#include <utility>

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

// Background 100 on 64 x 64 with three stars, each with six tenths of its flux on the centre and
// a tenth on each of its four neighbours, so the 3 x 3 peak-search box has one best place, the
// centre. Comparison 1000 at (15, 15), variable 10000 at (45, 15), check 100 at (15, 45).
// Circle 3 (37 pixels) holds each whole star and the ring 10..20 only background, so the sky is
// 100 x 37 and the signals are the fluxes:
//   20 - 2.511886432 x 3 = 12.464340704 -> 12.46   (1000)
//   20 - 2.511886432 x 4 =  9.952454272 ->  9.95   (10000)
//   20 - 2.511886432 x 2 = 14.976227136 -> 14.98   (100)
// (40, 45) is background only: 37 x 100 against a sky of 100 x 37.
struct StarField {
  std::unique_ptr<core::ImageFrame> frame = flat_frame(64, 64, 100);
  PositionTable table = stars_at({15, 15}, {45, 15}, {15, 45});
  StarField() {
    const struct { int x, y, flux; } stars[] = {{15, 15, 1000}, {45, 15, 10000}, {15, 45, 100}};
    for (const auto& s : stars) {
      frame->pixels.at(s.x, s.y) += s.flux * 6 / 10;
      for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}})
        frame->pixels.at(s.x + dx, s.y + dy) += s.flux / 10;
    }
  }
};

}  // namespace orvane::photometry
