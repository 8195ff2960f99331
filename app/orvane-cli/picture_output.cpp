#include "picture_output.h"

#include "picture_module.h"

namespace orvane::cli {

core::Status write_picture(const display::RgbImage& picture, const std::string& path,
                           const std::string& format, int quality) {
  core::Result<const PictureFunctions*> functions = picture_functions();
  if (!functions) return core::Error{functions.error()};
  return (*functions)->write_picture(picture, path, format, quality);
}

core::Status write_charts(const lightcurve::ChartDrawing& top,
                          const lightcurve::ChartDrawing& bottom, int width, int height,
                          const std::string& path, const std::string& format) {
  core::Result<const PictureFunctions*> functions = picture_functions();
  if (!functions) return core::Error{functions.error()};
  return (*functions)->write_charts(top, bottom, width, height, path, format);
}

}  // namespace orvane::cli
