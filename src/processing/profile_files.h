#pragma once

#include <string>

#include "core/image_frame.h"
#include "core/result.h"

namespace orvane::processing {

// The horizontal axis of the profile files: column numbers, or a linear wavelength scale from
// `start` at column 0 to `end` at column width - 1 (Angstrom).
struct ProfileAxis {
  bool wavelength = false;
  double start = 0;
  double end = 0;
};

// One profile file's text: a line per column x = 0 .. width - 1 of row `row`, the column (Str
// and a blank) or its wavelength (pattern "####.### "), then at the next 14-column print zone
// the value (Str and a blank), times `sign`; lines end in CR LF. A frame one column wide has no
// dispersion: its one column lies at `start`.
std::string profile_text(const core::ImageFrame& frame, int row, const ProfileAxis& axis, int sign);

// "Save to disk": three files for row `row` (0 .. height - 1): `name` with the values,
// derived_name(name, ".djm") with the values negated and derived_name(name, "-inv.djm") with
// the values. Each replaces its file atomically; the first failure names its file and stops.
core::Status write_profile_files(const core::ImageFrame& frame, int row, const std::string& name,
                                 const ProfileAxis& axis);

}  // namespace orvane::processing
