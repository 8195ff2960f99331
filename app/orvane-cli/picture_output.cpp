#include "picture_output.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "core/text_file.h"
#include "picture_module.h"

namespace orvane::cli {

std::optional<std::string> picture_format(const std::string& path) {
  auto dot = path.find_last_of('.');
  auto slash = path.find_last_of('/');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
  std::string ext = path.substr(dot + 1);
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (ext == "png") return "PNG";
  if (ext == "bmp") return "BMP";
  if (ext == "jpg" || ext == "jpeg") return "JPG";
  return {};
}

core::Status write_picture(const display::RgbImage& picture, const std::string& path,
                           const std::string& format, int quality) {
  core::Result<const PictureFunctions*> functions = picture_functions();
  if (!functions) return core::Error{functions.error()};
  // Encoded in memory, then written by the program's one file writer, so a failed write is
  // reported and the old file stays.
  std::string bytes;
  if (!(*functions)->encode(picture, format.c_str(), quality, bytes)) {
    return core::Error{path + ": cannot write the picture as " + format};
  }
  return core::write_file_atomically(path, bytes);
}

}  // namespace orvane::cli
