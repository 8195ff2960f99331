#include "photometry/observation_lines.h"

#include <cmath>

#include "core/number_text.h"

namespace orvane::photometry {
namespace {

using core::format;
using core::str;
using core::val;

// A magnitude as the lines show it: rounded by the pattern, then written as a plain number
// (" 12.3" for 12.30).
std::string line_magnitude(double value, int digits) {
  return str(val(format(value, digits == 2 ? "00.00" : "00.000")));
}

// The exposure as the three-digit field of the observation line shows it, read back whole.
double whole_exposure(double exposure) {
  return exposure > 0 ? val(format(exposure, "000")) : 0;
}

// The middle of the exposure: hours, minutes, seconds; hours before 09 count as 24 and more
// of the day before.
struct MidExposure {
  int hours;
  int minutes;
  int seconds;
  bool day_before;
};

MidExposure mid_exposure(const std::string& time, double exposure) {
  const std::string_view t(time);
  double hours = val(t.substr(0, 2));
  double minutes = t.size() > 3 ? val(t.substr(3, 2)) : 0;
  // Rounded to a whole second first, so 59.5 s carries into the minute instead of showing 60.
  double seconds =
      core::floor_half_up((t.size() > 6 ? val(t.substr(6, 2)) : 0) + whole_exposure(exposure) / 2);
  while (seconds >= 60) {
    seconds -= 60;
    if (++minutes >= 60) minutes -= 60, ++hours;
  }
  const bool day_before = hours < 9;
  if (day_before) hours += 24;
  return {static_cast<int>(hours), static_cast<int>(minutes), static_cast<int>(seconds),
          day_before};
}

// "20yymmdd" for a "dd/mm/yy" date, "yyyymmdd" otherwise.
std::string compact_date(const HeaderDate& date) {
  const std::string year = date.layout == DateLayout::kDayMonthShortYear
                               ? "20" + format(date.year, "00")
                               : format(date.year, "0000");
  return year + format(date.month, "00") + format(date.day, "00");
}

}  // namespace

std::string observation_line(const ObservationTime& time, const MagnitudeValues& m, int digits) {
  std::string line = time.date;
  if (!time.time.empty()) line += " " + time.time;
  if (time.exposure > 0) line += " " + format(time.exposure, "000");
  line += " Check=" + line_magnitude(m.check, digits);
  line += " Comp=" + line_magnitude(m.comparison, digits);
  line += " Var=" + line_magnitude(m.variable, digits);
  return line;
}

std::optional<std::string> report_line(const ObservationTime& time, const MagnitudeValues& m,
                                       int digits, const ComparisonStarDetails& details) {
  const std::string band = band_text(details.band_index);
  if (band.empty() || time.time.empty()) return std::nullopt;
  auto date = parse_header_date(time.date);
  if (!date) return std::nullopt;
  const MidExposure mid = mid_exposure(time.time, time.exposure);
  if (mid.day_before) *date = step_day(*date, -1);
  std::string line = details.star_name + " " + compact_date(*date);
  line += format(mid.hours, "00") + format(mid.minutes, "00") + format(mid.seconds, "00");
  line += " K=" + line_magnitude(m.check, digits);
  line += " C=" + line_magnitude(m.comparison, digits);
  line += " V=" + line_magnitude(m.variable, digits);
  const double estimate = details.comp_magnitude - m.comparison + m.variable;
  line += " " + line_magnitude(estimate, digits) + band + " " + details.observer_code;
  return line;
}

std::string observation_record(const ObservationTime& time, const MagnitudeValues& m, int digits,
                               const std::string& image_path) {
  const char* pattern = digits == 2 ? "000.00" : "000.000";
  std::string line = time.date + " " + time.time + format(time.exposure, " 000");
  line += " Check=" + format(m.check, pattern);
  line += " Comp=" + format(m.comparison, pattern);
  line += " Var=" + format(m.variable, pattern) + " ";
  return line + image_path;
}

}  // namespace orvane::photometry
