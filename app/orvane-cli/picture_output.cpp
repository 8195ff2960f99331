#include "picture_output.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <algorithm>
#include <cctype>
#include <string_view>

#include "core/text_file.h"

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
  // The picture's words are already QImage's RGB32 layout: wrap them without copying.
  const QImage image(reinterpret_cast<const uchar*>(picture.pixels.data()), picture.width,
                     picture.height, picture.width * 4, QImage::Format_RGB32);
  // Encoded in memory, then written by the program's one file writer, so a failed write is
  // reported and the old file stays.
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, format.c_str(), format == "JPG" ? quality : -1)) {
    return core::Error{path + ": cannot write the picture as " + format};
  }
  return core::write_file_atomically(
      path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

}  // namespace orvane::cli
