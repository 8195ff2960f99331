#include "lightcurve/record_marking.h"

namespace orvane::lightcurve {
namespace {

// Index of the eighth blank from index 1 on; npos when there are fewer.
std::size_t eighth_blank(std::string_view line) {
  std::size_t at = 0;
  for (int n = 0; n < 8; ++n) {
    at = line.find(' ', at + 1);
    if (at == std::string_view::npos) break;
  }
  return at;
}

}  // namespace

std::string list_line(const Record& record) {
  const std::size_t blank = eighth_blank(record.line);
  if (blank == std::string_view::npos) return record.line;
  return record.line.substr(0, blank + 1);
}

std::vector<std::string> list_lines(const LightCurveData& data) {
  std::vector<std::string> lines;
  lines.reserve(data.records.size());
  for (const Record& r : data.records) lines.push_back(list_line(r));
  return lines;
}

std::optional<std::size_t> toggle_by_list_text(LightCurveData& data, std::string_view text) {
  if (text.empty()) return std::nullopt;
  for (std::size_t i = 0; i < data.records.size(); ++i) {
    std::string& line = data.records[i].line;
    if (line.compare(0, text.size(), text) != 0) continue;
    line[0] = text[0] == ' ' ? kDeleted : kInUse;
    return i;
  }
  return std::nullopt;
}

std::string delete_message(const Record& record) {
  return "delete no = " + record.line.substr(1, 4);
}

std::optional<std::string> delete_by_click(LightCurveData& data,
                                           const std::vector<ChartPoint>& var_points, int x,
                                           int y) {
  const auto hit = hit_record(var_points, x, y);
  if (!hit || *hit >= data.records.size()) return std::nullopt;
  Record& record = data.records[*hit];
  record.line[0] = kDeleted;
  return delete_message(record);
}

std::string image_path(const Record& record) {
  const std::size_t blank = eighth_blank(record.line);
  if (blank == std::string_view::npos) return {};
  return record.line.substr(blank + 1);
}

}  // namespace orvane::lightcurve
