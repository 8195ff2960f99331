#pragma once

#include <string>

#include "core/result.h"
#include "display/rgb_image.h"
#include "lightcurve/chart_layout.h"

namespace orvane::cli {

// The picture side of the tool needs Qt Gui, whose libraries take longer to load than a whole
// photometry run of a few frames. It lives in a module of its own beside the tool
// ("orvane-cli-pictures.so", the picture library linked in), loaded only by the commands that
// write pictures. Both functions write through the picture library, as the desktop program does.
struct PictureFunctions {
  // Writes the picture to path in the format ("PNG", "BMP" or "JPG"; quality 0..100 for JPEG).
  core::Status (*write_picture)(const display::RgbImage& picture, const std::string& path,
                                const std::string& format, int quality);
  // Draws the two light-curve charts, top above bottom, each width x height, and writes them.
  core::Status (*write_charts)(const lightcurve::ChartDrawing& top,
                               const lightcurve::ChartDrawing& bottom, int width, int height,
                               const std::string& path, const std::string& format);
};

// The module's functions, loaded on first use; an error says why they could not be.
core::Result<const PictureFunctions*> picture_functions();

}  // namespace orvane::cli

// The module's one entry point.
extern "C" const orvane::cli::PictureFunctions* orvane_picture_functions();
