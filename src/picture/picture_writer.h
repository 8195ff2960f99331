#pragma once

// Pictures encoded as PNG, BMP or JPEG and written to files: one way for the desktop program's
// picture export and for orvane-cli.
#include <QImage>
#include <string>

#include "core/result.h"
#include "display/rgb_image.h"

namespace orvane::picture {

// The image encoded in format ("PNG", "BMP" or "JPG"); quality 0 (smallest) .. 100 (best) is
// used for JPEG. PNG rows are stored without deflating, for speed: a 4096 x 4096 picture is
// written in about the time its FITS file takes. An error names the format and Qt's reason.
core::Result<std::string> encode(const QImage& image, const std::string& format, int quality);

// The picture encoded in format. A picture that holds only grey goes into PNG and JPEG as 8-bit
// grey (a third of the bytes of colour, and the same pixels when decoded); BMP is always 24-bit
// colour, as every viewer reads it.
core::Result<std::string> encode(const display::RgbImage& picture, const std::string& format,
                                 int quality);

// Encodes the picture and writes it to path with core's atomic writer: an existing file is
// replaced only when the whole picture was written. Errors name the path and the reason.
core::Status write_picture(const display::RgbImage& picture, const std::string& path,
                           const std::string& format, int quality);

}  // namespace orvane::picture
