#include "lightcurve/record_fields.h"

#include <algorithm>

#include "core/number_text.h"

namespace orvane::lightcurve {
namespace {

constexpr std::size_t kTextStart = 8;      // after the prefix
constexpr std::size_t kScanEnd = 200;      // "=" signs are looked for up to character 200
constexpr std::size_t kValuesOffset = 19;  // from the date's blank to the "=" of "Check="

}  // namespace

std::string_view field(std::string_view line, std::size_t start, std::size_t length) {
  if (start >= line.size()) return {};
  return line.substr(start, length);
}

std::size_t date_end(std::string_view line) {
  if (line.size() <= kTextStart) return std::string_view::npos;
  return line.find(' ', kTextStart);
}

TimeOfDay record_time(std::string_view line) {
  const std::size_t blank = date_end(line);
  if (blank == std::string_view::npos) return {};
  return {core::val(field(line, blank + 1, 2)), core::val(field(line, blank + 4, 2)),
          core::val(field(line, blank + 7, 2))};
}

double hour_of_night(const TimeOfDay& time) {
  double hour = time.hours + time.minutes / 60 + time.seconds / 3600;
  return hour < 12 ? hour + 24 : hour;
}

std::array<double, 3> record_values(std::string_view line) {
  std::array<double, 3> values{};
  const std::size_t blank = date_end(line);
  if (blank == std::string_view::npos) return values;
  std::size_t i = blank + kValuesOffset;
  const std::size_t scan_end = std::min(line.size(), kScanEnd);
  for (double& value : values) {
    while (i < scan_end && line[i] != '=') ++i;
    if (i >= scan_end) break;
    const std::size_t start = i + 1;
    const std::size_t end = std::min(line.find(' ', start), line.size());
    value = core::val(line.substr(start, end - start));
    i = end;
  }
  return values;
}

}  // namespace orvane::lightcurve
