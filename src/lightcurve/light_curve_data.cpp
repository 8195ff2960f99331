#include "lightcurve/light_curve_data.h"

#include <algorithm>
#include <filesystem>

#include "core/number_text.h"
#include "core/text_file.h"
#include "lightcurve/record_fields.h"

namespace orvane::lightcurve {
namespace {

bool is_blank_line(std::string_view line) {
  return line.find_first_not_of(" \t\r") == std::string_view::npos;
}

std::string left_out_message(std::size_t total) {
  const std::size_t extra = total - kMaxRecords;
  return "The file holds " + std::to_string(total) + " records; the first " +
         std::to_string(kMaxRecords) + " are shown and the other " + std::to_string(extra) +
         " are left out. Saving writes them back unchanged after the shown records.";
}

// A FITS frame, a picture or any other binary file: such a file must never be listed as records
// and saved back over itself as text.
bool is_binary_line(std::string_view line) {
  return line.find('\0') != std::string_view::npos || line.rfind("SIMPLE  =", 0) == 0;
}

// A record holds the three magnitudes after "Check=", "Comp=" and "Var=".
bool is_record_line(std::string_view line) {
  return std::count(line.begin(), line.end(), '=') >= 3;
}

// Why the lines are not a data file of records, or empty when they are one. A file with no line
// at all (a run that kept no frame yet) is a data file without records.
std::string refusal(const std::vector<std::string>& lines) {
  bool any_text = false, any_record = false;
  for (const std::string& line : lines) {
    if (is_binary_line(line)) return "binary data, not observation records";
    if (line.empty() || line[0] == ';' || is_blank_line(line)) continue;
    any_text = true;
    any_record = any_record || is_record_line(line);
  }
  return any_text && !any_record ? "no observation record in it" : "";
}

}  // namespace

std::size_t LightCurveData::in_use_count() const {
  return static_cast<std::size_t>(
      std::count_if(records.begin(), records.end(), [](const Record& r) { return r.in_use(); }));
}

std::string record_prefix(std::size_t number) {
  return core::format(static_cast<double>(number), " 0000 : ");
}

Record parse_record(std::size_t number, std::string_view line) {
  Record record;
  record.line = record_prefix(number);
  record.line += line;
  record.hour = hour_of_night(record_time(record.line));
  const auto values = record_values(record.line);
  std::copy(values.begin(), values.end(), record.values);
  return record;
}

LightCurveData parse_light_curve(const std::vector<std::string>& lines) {
  LightCurveData data;
  std::size_t total = 0;
  for (const std::string& line : lines) {
    if (!line.empty() && line[0] == ';') {
      data.comment = line;
    } else if (!is_blank_line(line)) {
      ++total;
      if (data.records.size() < kMaxRecords) {
        data.records.push_back(parse_record(data.records.size() + 1, line));
      } else {
        data.left_out.push_back(line);
      }
    }
  }
  if (total > kMaxRecords) data.left_out_message = left_out_message(total);
  return data;
}

core::Result<LightCurveData> load_light_curve(const std::string& path) {
  std::error_code ignored;
  std::string absolute = std::filesystem::absolute(path, ignored).string();
  if (absolute.empty()) absolute = path;
  auto lines = core::read_text_lines(absolute);
  if (!lines) return core::Error{lines.error()};
  if (std::string why = refusal(*lines); !why.empty()) {
    return core::Error{absolute + ": not a data file of observation records (" + why + ")"};
  }
  LightCurveData data = parse_light_curve(*lines);
  data.path = absolute;
  if (!data.left_out_message.empty())
    data.left_out_message = absolute + ": " + data.left_out_message;
  return data;
}

}  // namespace orvane::lightcurve
