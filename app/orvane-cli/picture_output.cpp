#include "picture_output.h"

#include <QImage>
#include <QSaveFile>
#include <QString>
#include <algorithm>
#include <cctype>

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
  QSaveFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::WriteOnly)) {
    return core::Error{path + ": cannot write the picture (" + file.errorString().toStdString() +
                       ")"};
  }
  if (!image.save(&file, format.c_str(), format == "JPG" ? quality : -1)) {
    file.cancelWriting();
    return core::Error{path + ": cannot write the picture as " + format};
  }
  if (!file.commit()) {
    return core::Error{path + ": cannot write the picture (" + file.errorString().toStdString() +
                       ")"};
  }
  return core::ok_status();
}

}  // namespace orvane::cli
