#pragma once

#include <array>
#include <cstdint>

#include "core/image_frame.h"
#include "display/display_state.h"
#include "display/value_counts.h"

namespace orvane::display {

// Counts of the width x height pixels in 301 bins:
// k = floor((v - min_value) / ((max_value - min_value) / 300) + 0.5), k < 0 counted in bin 0,
// k > 300 left out. All zero unless max_value is above min_value.
Histogram histogram_bins(const orvane::core::ImageFrame& frame);

// The "Auto" button: chooses range and background from the histogram's main peak and the
// edges where its smoothed profile falls below a tenth of the peak (bins 0 and 300 where it
// never does). Range and background stay as they were unless max_value is above min_value;
// a range below 1 becomes 1.
void auto_contrast(const orvane::core::ImageFrame& frame, DisplayState& state);

}  // namespace orvane::display
