#pragma once

#include <optional>
#include <string>

#include "core/result.h"
#include "display/rgb_image.h"

namespace orvane::cli {

// "PNG", "BMP" or "JPG" from the extension of path (any letter case); empty for anything else.
std::optional<std::string> picture_format(const std::string& path);

// Writes the picture in that format, replacing an existing file atomically. quality 0..100 is
// used for JPEG.
core::Status write_picture(const display::RgbImage& picture, const std::string& path,
                           const std::string& format, int quality);

}  // namespace orvane::cli
