#pragma once

#include <cstdint>
#include <optional>

#include "core/image_frame.h"
#include "display/display_state.h"
#include "display/rgb_image.h"

namespace orvane::display {

// Size of the picture at scale s: ceil(width / s) x ceil(height / s).
int display_extent(int frame_extent, int scale);

// The grey picture of the whole frame at state.display_scale, as drawing every frame pixel in
// row order leaves it: each display pixel shows the last pixel of its block. Then the profile
// line when state.line_mode is 1 (which sets state.line_row to the middle row).
RgbImage render(const orvane::core::ImageFrame& frame, DisplayState& state);

// The same picture drawn into `picture`, whose memory is reused when it has room: a window
// that redraws keeps one canvas instead of taking fresh memory for every picture.
void render(const orvane::core::ImageFrame& frame, DisplayState& state, RgbImage& picture);

// Paints the profile line of frame row `row` in green: display pixel
// (floor(x / s + 0.5), floor(row / s + 0.5)) for x = 0 .. width.
void draw_profile_line(RgbImage& picture, int frame_width, int row, int scale);

// Paints frame row `row` across columns 0 .. width in `colour`: display pixel
// (floor(x / s + 0.5), floor(row / s + 0.5)); the zone rows of the binning window.
void draw_row_line(RgbImage& picture, int frame_width, double row, int scale, std::uint32_t colour);

// Erases the profile line of `row` by drawing each of its frame pixels in grey again.
void erase_profile_line(RgbImage& picture, const orvane::core::ImageFrame& frame,
                        const DisplayState& state, int row);

// Frame to display coordinate for markers: floor(v / s + 0.5).
int frame_to_display(double v, int scale);

// The colour pixel_redraw puts at display pixel (dx, dy): the grey of frame pixel
// (dx * s, dy * s), the first of its block. Empty when (dx, dy) lies beyond width or height
// or the frame pixel beyond the store.
std::optional<std::uint32_t> pixel_redraw_colour(const orvane::core::ImageFrame& frame,
                                                 const DisplayState& state, int dx, int dy);

// pixel_redraw: redraws one display pixel from the frame.
void pixel_redraw(RgbImage& picture, const orvane::core::ImageFrame& frame,
                  const DisplayState& state, int dx, int dy);

}  // namespace orvane::display
