#pragma once

#include <string>

#include "core/result.h"
#include "display/rgb_image.h"
#include "lightcurve/chart_layout.h"

namespace orvane::cli {

// Writes the picture in the format of picture::picture_format, replacing an existing file
// atomically; quality 0..100 is used for JPEG. Loads the picture module first.
core::Status write_picture(const display::RgbImage& picture, const std::string& path,
                           const std::string& format, int quality);

// Writes the two light-curve charts, top above bottom, each width x height, in one picture.
core::Status write_charts(const lightcurve::ChartDrawing& top,
                          const lightcurve::ChartDrawing& bottom, int width, int height,
                          const std::string& path, const std::string& format);

}  // namespace orvane::cli
