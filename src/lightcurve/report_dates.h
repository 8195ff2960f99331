#pragma once

#include <string_view>

#include "lightcurve/record_fields.h"

// Dates and times of the observation report: the night's date, the middle of the exposure in
// Japan Standard Time and its Julian Date.
namespace orvane::lightcurve {

struct CalendarDate {
  double year = 0;  // four digits
  double month = 0;
  double day = 0;
};

// The record's date in one of its three layouts, told apart by where the date's blank stands:
// a blank at character 19 means yyyy/mm/dd (a digit at character 11) or dd/mm/yyyy; any other
// place means dd/mm/yy, where a year above 80 is 19yy and 80 or below 20yy.
CalendarDate record_date(std::string_view line);

// The exposure in seconds: the whole number after the first blank from character 21 on, so an
// exposure of 1200 s is 1200. 0 when missing.
double record_exposure(std::string_view line);

// The date of the evening a record belongs to: the day before when the hour is below 10. The
// day before the 1st is the last of the previous month, February having 29 days in years
// divisible by 4.
CalendarDate night_date(const CalendarDate& date, double hours);

// Middle of the exposure: half the exposure (rounded up from a half) added to the seconds,
// carried into minutes and hours. A record from before 10 o'clock belongs to the previous
// evening, so its hours count on past 24.
TimeOfDay mid_exposure(const TimeOfDay& start, double exposure);

// Modified Julian Date of the night date plus the time (hours may exceed 24), in JST.
double modified_julian_date(const CalendarDate& night, const TimeOfDay& time);

// Julian Date in UT: the JST offset of 9 hours (0.375 day) taken off.
double julian_date(const CalendarDate& night, const TimeOfDay& time);

// 2 when the character 7 places after the record's first "=" is a blank (a magnitude such as
// "012.35"), else 3.
int magnitude_decimals(std::string_view line);

}  // namespace orvane::lightcurve
