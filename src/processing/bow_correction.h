#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/image_frame.h"
#include "core/result.h"

namespace orvane::processing {

// The start question of "Bow correction" and its title.
inline constexpr const char* kBowQuestion = "OK or Cancel";
inline constexpr const char* kBowTitle = "Bow Correction";
// The table the correction reads, in the program's current folder.
inline constexpr const char* kBowTableName = "bow.csv";

// One shift per frame row 0 .. 5500 in pixels: positive moves the row's content right.
using BowShifts = std::vector<double>;

// Reads the text of "bow.csv": records "row,shift", one a line, blanks around the numbers
// allowed, blank lines skipped; a row given twice takes the later shift, rows not given keep 0.
// A line that is not two numbers, a row that is not a whole number in 0 .. 5500 or a shift that
// is not finite is refused with `path` and the line number.
core::Result<BowShifts> parse_bow_table(std::string_view text, const std::string& path);

// The same from the file; a missing or unreadable file is refused with its path.
core::Result<BowShifts> read_bow_table(const std::string& path);

// Shifts every row 0 .. height - 1 whose shift s is not 0: first the fraction f = s - floor(s)
// by linear interpolation, each column x >= 1 becoming floor(t(x) - f (t(x) - t(x-1)) + 0.5)
// (column 0 kept), then the whole part floor(s) as a move of the row, the columns it uncovers
// keeping their values. Then max_value and min_value over the image, zeros left out. The caller
// has taken the undo copy.
void bow_correct(core::ImageFrame& frame, const BowShifts& shifts);

}  // namespace orvane::processing
