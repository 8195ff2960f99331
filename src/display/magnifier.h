#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "core/image_frame.h"
#include "display/display_state.h"

namespace orvane::display {

inline constexpr int kMagnifierCells = 21;  // 21 x 21 frame pixels around the cursor

// Cell (k, l) of the magnifier shows frame pixel (x - 10 + k, y - 10 + l). A cell is empty
// (keeps what it showed before) when its pixel lies outside 0..width, 0..height or the store.
using MagnifierCells =
    std::array<std::array<std::optional<std::uint32_t>, kMagnifierCells>, kMagnifierCells>;

// Cells indexed [l][k] (row, column). Empty altogether unless 0 <= x <= width and
// 0 <= y <= height.
MagnifierCells magnifier_cells(const orvane::core::ImageFrame& frame, const DisplayState& state,
                               int x, int y);

// Whether the mouse position (x, y) repaints the magnifier at all.
bool magnifier_follows(const orvane::core::ImageFrame& frame, int x, int y);

}  // namespace orvane::display
