#pragma once

// The program's pictures (display::RgbImage) as Qt images.
#include <QImage>

#include "display/rgb_image.h"

namespace orvane::picture {

// The picture's words are already QImage's RGB32 layout: the image shares them without a copy,
// so it must not outlive the picture nor be painted on while the picture is read elsewhere.
QImage wrap(const display::RgbImage& picture);
QImage wrap(display::RgbImage& picture);

// The picture as 8-bit grey levels (QImage::Format_Grayscale8, one byte a pixel, the same pixels
// when decoded) when every pixel has equal red, green and blue, as a rendered frame without
// coloured marks has; a null image as soon as a pixel of colour is met.
QImage grey_image(const display::RgbImage& picture);

}  // namespace orvane::picture
