#pragma once

#include <cstdint>

#include "core/image_frame.h"
#include "core/user_interface.h"
#include "processing/rows_outcome.h"

namespace orvane::processing {

// The "Calculation" window's two operations.
enum class CalcOperation { kAdd, kMultiply };

// "Addition" / "Multiplication": every pixel of the image becomes round(pixel + operand) or
// round(pixel x operand), halves to even, limited to the 32-bit range; max_value and min_value
// follow every new value (zeros too). The caller has taken the undo copy.
void calculate(core::ImageFrame& frame, CalcOperation operation, double operand);

// The read-time switch "calculate whole file reading": when ticked every later read applies the
// operation (read_calc_mode 0 add, 1 multiply, read_calc_operand), else both become 0.
void set_read_calculation(core::ImageFrame& frame, CalcOperation operation, double operand,
                          bool whole_file_reading);

// inclination_compensate: flattens one row by its least-squares straight line b + a x, each
// pixel becoming round(c / (b + a x) x pixel), c the line's value at width / 2, halves to even.
// `backup` (room for 5501 values, may be null) receives the row as it was, for the spectrum
// window's UnDo. False, the row unchanged and counted in outcome.rows_left, when the row has
// fewer than 2 columns or the line cannot be solved (its denominator 0 or not finite); pixels
// where the line is 0 or not finite stay as they were, counted in outcome.pixels_left. The
// extremes are left alone.
bool inclination_compensate(core::ImageFrame& frame, int row, std::int32_t* backup,
                            RowsOutcome& outcome);

// "All line Automatic Inclination compensation" after the caller's undo_take: every row
// compensated, ui.progress("Calculation", "Line :" + str(y), {y, height}) before row y; "stop"
// there ends the run before that row (rows done stay changed). max_value and min_value follow
// the frame's values, zeros too.
RowsOutcome inclination_compensate_all(core::ImageFrame& frame, core::UserInterface& ui);

}  // namespace orvane::processing
