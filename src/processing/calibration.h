#pragma once

#include <cstdint>
#include <string>

#include "core/fits_reader.h"
#include "core/image_frame.h"
#include "core/result.h"

namespace orvane::processing {

// "Dark Subtract" on the frame (File open dialog, mode 1): subtracts
// the dark file's values as they are (read with the frame's "Non Sign Integer" setting, without
// the read-time calculation). keep_negative is "The minus is used": without it a negative result
// becomes 0. Every result is limited to the 32-bit range; max_value and min_value are found anew
// over all results. A refused dark (the reader's message, or a size other than the frame's)
// changes no pixel. The caller takes the undo copy first, redraws and shows statistics_show.
core::Status dark_subtract(core::ImageFrame& frame, const std::string& dark_path,
                           bool keep_negative);

// "Flat Field" on the frame (mode 2): flat values below 0 count as 0 for
// the flat's mean M and below 1 as 1 for dividing; each pixel becomes (pixel / flat) * M,
// limited to 2147483647, rounded halves to even, a negative result 0. Refusals as for the dark.
core::Status flat_field(core::ImageFrame& frame, const std::string& flat_path);

// A dark or flat read for the continuous steps: values below 0 stored as 0, their sum, and for
// a flat its mean level M = sum / (width * height) and values below 1 raised to 1.
struct Reference {
  core::FitsImage image;
  double level = 0;  // M, for a flat
};

enum class ReferenceKind { kDark, kFlat };

// Reads the reference with the given "Non Sign Integer" setting and no read-time calculation.
core::Result<Reference> load_reference(const std::string& path, ReferenceKind kind, int sign_mode);

// The extremes of a step's results, found as the steps find them (start -1 and 2147483647).
struct ResultExtremes {
  std::int32_t max_value = -1;
  std::int32_t min_value = 2147483647;
};

// The continuous steps on one file's image (same size as the reference): dark
// pixel - reference, flat round(pixel * M / reference), each negative result 0. The image's
// extremes become those of the results.
ResultExtremes subtract_reference(core::FitsImage& image, const Reference& dark);
ResultExtremes divide_by_reference(core::FitsImage& image, const Reference& flat);

}  // namespace orvane::processing
