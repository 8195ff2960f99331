#include "picture/picture_writer.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageWriter>

#include "core/text_file.h"
#include "picture/grey_png.h"
#include "picture/picture_image.h"

namespace orvane::picture {
namespace {

// Qt turns a PNG "quality" q into zlib's level (100 - q) * 9 / 91, so 100 is level 0: the rows
// are stored without deflating, as grey_png stores them.
constexpr int kFastPngQuality = 100;

}  // namespace

core::Result<std::string> encode(const QImage& image, const std::string& format, int quality) {
  if (format == "PNG" && image.format() == QImage::Format_Grayscale8) {
    return grey_png(image.constBits(), image.width(), image.height(),
                    std::size_t(image.bytesPerLine()));
  }
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, QByteArray::fromStdString(format));
  if (format == "JPG") writer.setQuality(quality);
  if (format == "PNG") writer.setQuality(kFastPngQuality);
  if (!writer.write(image)) {
    return core::Error{"cannot be encoded as " + format + " (" +
                       writer.errorString().toStdString() + ")"};
  }
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

core::Result<std::string> encode(const display::RgbImage& picture, const std::string& format,
                                 int quality) {
  if (format != "BMP") {
    if (const QImage grey = grey_image(picture); !grey.isNull())
      return encode(grey, format, quality);
  }
  return encode(wrap(picture), format, quality);
}

core::Status write_picture(const display::RgbImage& picture, const std::string& path,
                           const std::string& format, int quality) {
  core::Result<std::string> bytes = encode(picture, format, quality);
  if (!bytes) return core::Error{path + ": " + bytes.error()};
  return core::write_file_atomically(path, *bytes);
}

}  // namespace orvane::picture
