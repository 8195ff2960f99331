#pragma once

#include <cstdint>
#include <string>

#include "core/fits_reader.h"
#include "core/image_frame.h"
#include "core/result.h"

namespace orvane::core {

struct WriteReport {
  std::int64_t raised_to_zero = 0;  // negative values written as 0
  std::int64_t lowered_to_max = 0;  // values above the BITPIX range written as its maximum
  std::int32_t max_written = 0;     // that maximum (255 or 65535)
};

// "out.fit: 12 values raised to 0, 3 lowered to 65535", or empty when nothing was clipped.
std::string clip_message(const std::string& path, const WriteReport& report);

// Writes the frame as a FITS file with the given BITPIX (8, 16 or 32), reusing its header cards.
// The file is written beside its final name and renamed over it, so a failure never leaves a
// half-written file. The frame itself is never changed: clipping applies to the written values.
Result<WriteReport> fits_write(const ImageFrame& frame, const std::string& path, int bitpix);

// The same for an image held in a buffer of its own (batches leave the frame alone).
Result<WriteReport> fits_write(const FitsImage& image, const std::string& path, int bitpix);

}  // namespace orvane::core
