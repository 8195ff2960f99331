#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/image_frame.h"
#include "core/result.h"

namespace orvane::core {

struct ReadReport {
  // -32 values that were NaN, infinite or beyond the 32-bit range and were limited.
  std::int64_t values_limited = 0;
  // Empty, or one line telling the user about the limited values.
  std::string warning;
};

// Reads the FITS file at path into the frame with the frame's read-time settings. On success
// file_path is path and "UnDo" is no longer available. A refused file leaves every field of the
// frame as it was; the error is the path followed by the reason ("img.fitBITPIX error").
// The caller shows statistics_show afterwards in both cases.
Result<ReadReport> fits_read(ImageFrame& frame, const std::string& path);

// Open by name (dropped files, command line): true for names ending in .fit, .fts or .fits in
// any letter case.
bool is_fits_name(std::string_view name);

}  // namespace orvane::core
