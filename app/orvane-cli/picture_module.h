#pragma once

#include <string>

#include "core/result.h"
#include "display/rgb_image.h"
#include "lightcurve/chart_layout.h"

namespace orvane::cli {

// The picture side of the tool needs Qt Gui, whose libraries take longer to load than a whole
// photometry run of a few frames. It lives in a module of its own beside the tool
// ("orvane-cli-pictures.so"), loaded only by the commands that write pictures.
struct PictureFunctions {
  // Encodes the picture in the format ("PNG", "BMP" or "JPG"; quality 0..100 for JPEG). False
  // when it cannot be encoded.
  bool (*encode)(const display::RgbImage& picture, const char* format, int quality,
                 std::string& bytes);
  // Draws the two light-curve charts, top above bottom, each width x height, and encodes them.
  bool (*encode_charts)(const lightcurve::ChartDrawing& top, const lightcurve::ChartDrawing& bottom,
                        int width, int height, const char* format, std::string& bytes);
};

// The module's functions, loaded on first use; an error says why they could not be.
core::Result<const PictureFunctions*> picture_functions();

}  // namespace orvane::cli

// The module's one entry point.
extern "C" const orvane::cli::PictureFunctions* orvane_picture_functions();
