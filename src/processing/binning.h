#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/image_frame.h"
#include "core/result.h"

namespace orvane::processing {

// The refusal when no zone has its lower row below its upper row.
inline constexpr const char* kNoActiveZone = "Upper is larger than Lower";

// One zone of "Binning Execution": its upper and lower row as read from the boxes. Rows grow
// downwards, so a zone is in use only when lower > upper (equal rows are not).
struct BinningZone {
  double upper = 0;
  double lower = 0;

  bool active() const { return lower > upper; }
};
using BinningZones = std::array<BinningZone, 5>;

struct BinningOutcome {
  std::int32_t max_value = 0;
  std::int32_t min_value = 0;
  int columns_limited = 0;  // column sums beyond the 32-bit range, written as its limit
};

// "Binning Execution" after the caller's undo_take: for each column x = 0 .. width (the spare
// column x = width too, except at width 5501) the rows of the active zones are summed in zone
// order into one 64-bit sum, which after each zone enters max_value and min_value (starting
// from 0 and 100000000, so partial sums count); then every row of every active zone takes the
// sum, limited to the 32-bit range. Zone rows are the boxes' numbers rounded halves to even.
// Refused, the frame unchanged: no active zone (kNoActiveZone), or an active zone reaching
// outside rows 0 .. height - 1 (named in the message).
core::Result<BinningOutcome> bin_zones(core::ImageFrame& frame, const BinningZones& zones);

// "Completion", a carriage return, "max =" Str(max) " / min =" Str(min); then, when sums were
// limited, a line saying how many columns.
std::string binning_completion(const BinningOutcome& outcome);

}  // namespace orvane::processing
