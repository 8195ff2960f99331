#include "lightcurve/report_dates.h"

#include <gtest/gtest.h>

#include <tuple>

#include "lightcurve/light_curve_data.h"
#include "sample_records.h"

namespace orvane::lightcurve {
namespace {

using test::observation;

std::tuple<double, double, double> ymd(const CalendarDate& d) {
  return {d.year, d.month, d.day};
}
std::tuple<double, double, double> hms(const TimeOfDay& t) {
  return {t.hours, t.minutes, t.seconds};
}
std::string prefixed(const std::string& line) {
  return parse_record(1, line).line;
}

// Julian Day Number of a Gregorian date by the integer formula of Fliegel and Van Flandern
// (1968), independent of the program's formula.
long fliegel_van_flandern(long y, long m, long d) {
  return (1461 * (y + 4800 + (m - 14) / 12)) / 4 + (367 * (m - 2 - 12 * ((m - 14) / 12))) / 12 -
         (3 * ((y + 4900 + (m - 14) / 12) / 100)) / 4 + d - 32075;
}

TEST(ReportDates, DateLayoutsTwoDigitYearsAndExposures) {
  const struct {
    const char* line;
    std::tuple<double, double, double> date;
    double exposure;
  } cases[] = {
      {"01/03/00 20:00:00 030 Check=1", {2000, 3, 1}, 30},
      {"01/03/80 20:00:00 030 Check=1", {2080, 3, 1}, 30},     // 80 and below: 20yy
      {"01/03/81 20:00:00 1200 Check=1", {1981, 3, 1}, 1200},  // above 80: 19yy; read whole
      {"2000-03-01 20:00:00 045 Check=1", {2000, 3, 1}, 45},   // a digit at character 11
      {"01-03-2000 20:00:00 045 Check=1", {2000, 3, 1}, 45},   // day first, four-digit year
      {"short", {2000, 0, 0}, 0},                              // nothing to read gives 0
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ymd(record_date(prefixed(c.line))), c.date) << c.line;
    EXPECT_EQ(record_exposure(prefixed(c.line)), c.exposure) << c.line;
  }
}

TEST(ReportDates, NightDateStepsBackBeforeTenOClock) {
  const struct {
    CalendarDate date;
    double hours;
    std::tuple<double, double, double> night;
  } cases[] = {
      {{2000, 3, 2}, 9, {2000, 3, 1}},   // plain day before
      {{2000, 3, 2}, 10, {2000, 3, 2}},  // 10 o'clock is the evening's date
      {{2000, 3, 1}, 3, {2000, 2, 29}},  // year divisible by 4
      {{2001, 3, 1}, 3, {2001, 2, 28}},
      {{2001, 1, 1}, 3, {2000, 12, 31}},  // into the previous year
      {{2001, 5, 1}, 3, {2001, 4, 30}},   // May, July, October, December give 30
      {{2001, 12, 1}, 3, {2001, 11, 30}},
      {{2001, 8, 1}, 3, {2001, 7, 31}},  // the others 31
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ymd(night_date(c.date, c.hours)), c.night)
        << c.date.year << "-" << c.date.month << "-" << c.date.day;
  }
}

TEST(ReportDates, MiddleOfTheExposure) {
  const struct {
    TimeOfDay start;
    double exposure;
    std::tuple<double, double, double> mid;
  } cases[] = {
      {{1, 10, 0}, 60, {25, 10, 30}},   // after midnight: 25 h
      {{21, 4, 10}, 31, {21, 4, 26}},   // Int(15.5 + 0.5) = 16 s
      {{21, 59, 50}, 30, {22, 0, 5}},   // carried into minutes and hours
      {{23, 59, 50}, 60, {24, 0, 20}},  // crossing midnight: 24, dated the same evening
      {{9, 59, 50}, 60, {34, 0, 20}},   // started before 10: the previous evening's 34 h
      {{20, 0, 0}, 7200, {21, 0, 0}},   // a long exposure carries whole hours
  };
  for (const auto& c : cases) {
    EXPECT_EQ(hms(mid_exposure(c.start, c.exposure)), c.mid)
        << c.start.hours << ":" << c.start.minutes;
  }
}

TEST(ReportDates, JulianDateAgreesWithAnIndependentFormula) {
  // 3 January 2015, 21:04:25 JST = 12:04:25 UT: JD = JDN - 0.5 + 12:04:25 in days.
  const double expected =
      double(fliegel_van_flandern(2015, 1, 3)) - 0.5 + (12 + 4 / 60.0 + 25 / 3600.0) / 24;
  EXPECT_NEAR(julian_date({2015, 1, 3}, {21, 4, 25}), expected, 1e-8);
  // 01:10:30 JST on 2 March 2000 is 25:10:30 of the night of 1 March: 16:10:30 UT on 1 March.
  EXPECT_NEAR(julian_date({2000, 3, 1}, {25, 10, 30}),
              double(fliegel_van_flandern(2000, 3, 1)) - 0.5 + (16 + 10 / 60.0 + 30 / 3600.0) / 24,
              1e-8);
}

// Every day from 1990 to 2090 by an own day count (1 January 1990 is MJD 47892): the MJD of
// the day, the night date of an observation at 03:00 and its Julian Date. Stepping back uses
// "divisible by 4" for February, which the Gregorian calendar agrees with in this span
// (2000 is divisible by 400); 2100 would differ.
TEST(ReportDates, EveryDayFrom1990To2090) {
  const int days_in[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  CalendarDate previous{1989, 12, 31};
  long mjd = 47892;
  for (int y = 1990; y <= 2090; ++y) {
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    for (int m = 1; m <= 12; ++m) {
      const int length = days_in[m - 1] + (m == 2 && leap ? 1 : 0);
      for (int d = 1; d <= length; ++d, ++mjd) {
        const CalendarDate date{double(y), double(m), double(d)};
        ASSERT_EQ(fliegel_van_flandern(y, m, d) - 2400001, mjd);  // the day count itself
        ASSERT_EQ(modified_julian_date(date, {0, 0, 0}), mjd) << y << "-" << m << "-" << d;
        const CalendarDate night = night_date(date, 3);
        ASSERT_EQ(ymd(night), ymd(previous)) << y << "-" << m << "-" << d;
        // 03:00 JST is 18:00 UT of the day before: MJD - 0.25, JD = MJD + 2400000.5.
        ASSERT_NEAR(julian_date(night, {27, 0, 0}), double(mjd) - 0.25 + 2400000.5, 1e-8);
        previous = date;
      }
    }
  }
}

TEST(ReportDates, MagnitudeDecimalsFollowTheRecord) {
  EXPECT_EQ(magnitude_decimals(
                prefixed(observation("01/03/00 20:00:00", "030", "012.35", "011.22", "013.46"))),
            2);
  EXPECT_EQ(magnitude_decimals(
                prefixed(observation("01/03/00 20:00:00", "030", "012.345", "011.225", "013.465"))),
            3);
}

}  // namespace
}  // namespace orvane::lightcurve
