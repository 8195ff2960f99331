#pragma once

#include "core/image_frame.h"
#include "core/user_interface.h"
#include "processing/rows_outcome.h"

namespace orvane::processing {

// The start question of "Limb Darkening Correction".
inline constexpr const char* kLimbQuestion = "Limb Darkening Correction";

// Flattens each row by its own degree-5 fit, scaled back to the row's level: every pixel
// becomes round(pixel / fit(x) x m), m being the row sum over width - 1 (not width: the
// program's level, kept on purpose), rounded halves to even. The caller has taken the undo
// copy and redraws. Rows no fit could be made for, and pixels where the fit is 0 or not finite,
// stay as they were and are counted. Then max_value and min_value are taken again over the
// image, zeros left out. Progress per row goes to ui.progress(kLimbQuestion, "", {row, height}).
RowsOutcome limb_darkening_correct(core::ImageFrame& frame, core::UserInterface& ui);

}  // namespace orvane::processing
