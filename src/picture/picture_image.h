#pragma once

// The program's pictures (display::RgbImage) as Qt images.
#include <QImage>

#include "display/rgb_image.h"

namespace orvane::picture {

// The picture's words are already QImage's RGB32 layout: the image shares them without a copy,
// so it must not outlive the picture nor be painted on while the picture is read elsewhere.
QImage wrap(const display::RgbImage& picture);
QImage wrap(display::RgbImage& picture);

// True when every pixel has equal red, green and blue: a rendered frame without coloured marks.
bool holds_only_grey(const display::RgbImage& picture);

// The picture as 8-bit grey levels (QImage::Format_Grayscale8), one byte a pixel; for a picture
// that holds only grey it decodes to the same pixels as the picture.
QImage grey_image(const display::RgbImage& picture);

}  // namespace orvane::picture
