#pragma once

#include <string>

namespace orvane::processing {

// How a run over the rows of the frame ended: rows it left as they were because no fit could
// be made (too short, or the equations could not be solved), pixels it left because the fitted
// value there was 0 or not finite, and whether the user stopped it (rows done stay changed).
struct RowsOutcome {
  int rows_left = 0;
  int pixels_left = 0;
  bool cancelled = false;
};

// The one message after a run that left rows or pixels unchanged, e.g. "3 rows were left
// unchanged: no fit could be made for them"; empty when none were.
std::string rows_left_message(const RowsOutcome& outcome);

}  // namespace orvane::processing
