#pragma once

// The names and the JPEG quality of the picture export ("Save to BMP,JPEG").
#include <string>

namespace orvane::display {

// The quality of the JPEG written beside the bitmap when the window opens.
inline constexpr int kDefaultJpegQuality = 50;

// The bitmap name proposed for a frame: its file name without the folder, the last extension
// replaced by ".bmp" (/data/m31.fit gives m31.bmp), a name in the current folder.
std::string proposed_bitmap_name(const std::string& frame_path);

// The JPEG written beside a bitmap: its name with ".jpg" for the last extension (m31.bmp gives
// m31.jpg).
std::string jpeg_name(const std::string& bitmap_name);

// The quality after q was typed: q rounded to a whole number when -1 < q < 101, otherwise the
// previous quality stays. The rounded value is kept within 0..100 (-0.7 gives 0, 100.6 gives 100).
int typed_quality(double q, int previous);

}  // namespace orvane::display
