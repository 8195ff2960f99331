#include "lightcurve/light_curve_saving.h"

#include <algorithm>
#include <vector>

#include "core/text_file.h"

namespace orvane::lightcurve {
namespace {

// The comment comes from a text box; a line break in it would turn its tail into a record.
std::string comment_line(std::string comment) {
  std::replace(comment.begin(), comment.end(), '\r', ' ');
  std::replace(comment.begin(), comment.end(), '\n', ' ');
  if (comment.front() != ';') comment.insert(comment.begin(), ';');
  return comment;
}

}  // namespace

std::string save_question(const LightCurveData& data) {
  return "Do you want to save a photometry data? " + data.path;
}

std::string saved_text(const LightCurveData& data) {
  std::vector<std::string> lines;
  if (!data.comment.empty()) lines.push_back(comment_line(data.comment));
  for (const Record& r : data.records) {
    if (r.in_use()) lines.emplace_back(r.text());
  }
  lines.insert(lines.end(), data.left_out.begin(), data.left_out.end());
  return core::join_crlf(lines);
}

core::Status save_light_curve(const LightCurveData& data) {
  return core::write_file_atomically(data.path, saved_text(data));
}

}  // namespace orvane::lightcurve
