#pragma once

#include <string>

#include "core/image_frame.h"
#include "core/user_interface.h"
#include "processing/rows_outcome.h"

namespace orvane::processing {

// The filters of the "Noise filter" menu.
enum class NoiseFilter {
  kHotCool,        // "Remove Hot/Cool Pixel"
  kThreePoint,     // "3 point average"
  kFivePoint,      // "5 point average"
  kShadeAverage,   // "shade off (average)": plus-shaped mean without the extremes
  kShadeMedian,    // "shade off (median)"
  kFifthFunction,  // "5th function approximation": each row replaced by its degree-5 fit
};

// The menu caption, e.g. "3 point average".
std::string noise_filter_caption(NoiseFilter filter);

// The filter's start question ("3 point average, Start", ...); empty for kFifthFunction, which
// starts without asking.
std::string noise_filter_question(NoiseFilter filter);

// Runs the filter on the frame's width x height pixels. The caller has taken the undo copy
// (undo_take): the 3- and 5-point and the plus-shaped filters read their neighbours from it, so
// no result feeds another; hot/cool works in place along each row, a pixel corrected on the left
// counting as corrected. Results are rounded halves to even; first and last columns (two for
// the 5-point filter) and, for the plus filters, first and last rows stay as they were.
// max_value and min_value are not recomputed. Progress per row goes to
// ui.progress(caption, "", {row, height}); "stop" there ends the run before that row. For
// kFifthFunction the rows no fit could be made for stay as they were and are counted.
RowsOutcome apply_noise_filter(core::ImageFrame& frame, NoiseFilter filter,
                               core::UserInterface& ui);

}  // namespace orvane::processing
