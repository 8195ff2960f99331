#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "core/image_frame.h"

namespace orvane::test {

using Row = std::vector<std::int32_t>;

// A frame holding the rows (all of one length), with the undo copy taken as the frame step
// takes it before a processing step.
inline std::unique_ptr<core::ImageFrame> frame_of(const std::vector<Row>& rows) {
  auto frame = std::make_unique<core::ImageFrame>();
  frame->height = int(rows.size());
  frame->width = int(rows.front().size());
  for (int y = 0; y < frame->height; ++y) {
    for (int x = 0; x < frame->width; ++x) frame->pixels.at(x, y) = rows[y][x];
  }
  core::undo_take(*frame);
  return frame;
}

inline std::vector<Row> rows_of(const core::ImageFrame& frame) {
  std::vector<Row> rows(frame.height);
  for (int y = 0; y < frame.height; ++y) {
    for (int x = 0; x < frame.width; ++x) rows[y].push_back(frame.pixels.at(x, y));
  }
  return rows;
}

}  // namespace orvane::test
