#include "lightcurve/report_dates.h"

#include <cctype>
#include <cmath>

#include "core/number_text.h"

namespace orvane::lightcurve {
namespace {

constexpr std::size_t kLongDateBlank = 18;   // character 19: after a ten-character date
constexpr std::size_t kExposureSearch = 20;  // the exposure's blank is looked for from character 21

double number_at(std::string_view line, std::size_t start, std::size_t length) {
  return core::val(field(line, start, length));
}

// Days of the month before `month`, the one the day steps back into.
double last_day_before(double month, double year) {
  if (month == 3) return std::fmod(year, 4) == 0 ? 29 : 28;
  if (month == 5 || month == 7 || month == 10 || month == 12) return 30;
  return 31;
}

// Seconds (or minutes) of 60 and more carried into the next unit.
void carry(double& low, double& high) {
  if (low < 60) return;
  const double whole = std::floor(low / 60);
  low -= 60 * whole;
  high += whole;
}

}  // namespace

CalendarDate record_date(std::string_view line) {
  const std::size_t blank = date_end(line);
  if (blank == kLongDateBlank) {
    if (line.size() > 10 && std::isdigit(static_cast<unsigned char>(line[10]))) {
      return {number_at(line, 8, 4), number_at(line, 13, 2), number_at(line, 16, 2)};
    }
    return {number_at(line, 14, 4), number_at(line, 11, 2), number_at(line, 8, 2)};
  }
  const double yy = number_at(line, 14, 2);
  return {yy > 80 ? 1900 + yy : 2000 + yy, number_at(line, 11, 2), number_at(line, 8, 2)};
}

double record_exposure(std::string_view line) {
  if (line.size() <= kExposureSearch) return 0;
  const std::size_t blank = line.find(' ', kExposureSearch);
  if (blank == std::string_view::npos) return 0;
  const std::size_t end = std::min(line.find(' ', blank + 1), line.size());
  const double exposure = core::val(line.substr(blank + 1, end - blank - 1));
  return std::isfinite(exposure) ? exposure : 0;
}

CalendarDate night_date(const CalendarDate& date, double hours) {
  CalendarDate night = date;
  if (!(hours < 10)) return night;
  night.day -= 1;
  if (night.day != 0) return night;
  night.day = last_day_before(night.month, night.year);
  night.month -= 1;
  if (night.month == 0) {
    night.month = 12;
    night.year -= 1;
  }
  return night;
}

TimeOfDay mid_exposure(const TimeOfDay& start, double exposure) {
  TimeOfDay t = start;
  t.seconds += core::floor_half_up(exposure / 2);
  carry(t.seconds, t.minutes);
  carry(t.minutes, t.hours);
  if (start.hours < 10) t.hours += 24;
  return t;
}

double modified_julian_date(const CalendarDate& night, const TimeOfDay& time) {
  double y = night.year;
  double m = night.month;
  const double d = night.day;
  const double decimal_year = y + (m - 1) / 12 + d / 365.25;
  if (m == 1 || m == 2) {
    m += 12;
    y -= 1;
  }
  const double months = std::floor(30.59 * (m - 2));
  double mjd;
  if (decimal_year >= 1582.78) {  // Gregorian calendar
    mjd = std::floor(365.25 * y) + std::floor(y / 400) - std::floor(y / 100) + months - 678912;
  } else if (y >= 0) {  // Julian calendar
    mjd = std::floor(365.25 * y) + months - 678914;
  } else {
    mjd = -std::floor(365.25 * -y) + months - 678915;
  }
  return mjd + d + time.hours / 24 + (time.minutes + time.seconds / 60) / 1440;
}

double julian_date(const CalendarDate& night, const TimeOfDay& time) {
  return modified_julian_date(night, time) - 0.375 + 2400000.5;
}

int magnitude_decimals(std::string_view line) {
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return 2;
  const std::size_t at = equals + 7;
  return at < line.size() && line[at] != ' ' ? 3 : 2;
}

}  // namespace orvane::lightcurve
