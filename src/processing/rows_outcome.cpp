#include "processing/rows_outcome.h"

#include "core/number_text.h"

namespace orvane::processing {
namespace {

std::string counted(int count, const char* one, const char* many) {
  return core::str_trimmed(count) + " " + (count == 1 ? one : many);
}

}  // namespace

std::string rows_left_message(const RowsOutcome& outcome) {
  std::string text;
  if (outcome.rows_left > 0) {
    text = counted(outcome.rows_left, "row was", "rows were") +
           " left unchanged: no fit could be made for them";
  }
  if (outcome.pixels_left > 0) {
    if (!text.empty()) text += "\r\n";
    text += counted(outcome.pixels_left, "pixel was", "pixels were") +
            " left unchanged: the fitted value there is 0 or not a number";
  }
  return text;
}

}  // namespace orvane::processing
