#include "picture/picture_image.h"

#include <cstdint>

namespace orvane::picture {
namespace {

// Grey when red, green and blue are the same byte: the word equals its blue byte times 0x010101
// (the alpha byte aside).
bool is_grey(std::uint32_t word) {
  return (word & 0xFFFFFFu) == (word & 0xFFu) * 0x010101u;
}

}  // namespace

QImage wrap(const display::RgbImage& picture) {
  return QImage(reinterpret_cast<const uchar*>(picture.pixels.data()), picture.width,
                picture.height, picture.width * 4, QImage::Format_RGB32);
}

QImage wrap(display::RgbImage& picture) {
  return QImage(reinterpret_cast<uchar*>(picture.pixels.data()), picture.width, picture.height,
                picture.width * 4, QImage::Format_RGB32);
}

QImage grey_image(const display::RgbImage& picture) {
  QImage grey(picture.width, picture.height, QImage::Format_Grayscale8);
  for (int y = 0; y < picture.height; ++y) {
    const std::uint32_t* from = picture.pixels.data() + std::size_t(y) * std::size_t(picture.width);
    uchar* to = grey.scanLine(y);
    for (int x = 0; x < picture.width; ++x) {
      if (!is_grey(from[x])) return QImage();
      to[x] = static_cast<uchar>(from[x] & 0xFFu);
    }
  }
  return grey;
}

}  // namespace orvane::picture
