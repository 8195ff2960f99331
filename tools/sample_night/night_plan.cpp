#include "sample_night/night_plan.h"

#include <algorithm>
#include <cmath>

#include "sample_night/random.h"

namespace orvane::sample_night {
namespace {

constexpr int kStartYear = 2026;
constexpr int kStartMonth = 3;
constexpr int kStartDay = 14;
constexpr std::int64_t kStartSecondOfDay = 22 * 3600 + 30 * 60;
constexpr std::int64_t kSecondsPerDay = 86400;

// Salt that keeps the pointing jitter apart from the pixel noise of the same frame.
constexpr std::uint64_t kJitterSalt = 0x6A09E667F3BCC909ULL;

struct CivilDate {
  std::int64_t year;
  int month;
  int day;
};

// Days since 1970-01-01 of a proleptic Gregorian date, and back (H. Hinnant's algorithms).
std::int64_t days_from_civil(std::int64_t y, int m, int d) {
  y -= m <= 2 ? 1 : 0;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t yoe = y - era * 400;
  const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

CivilDate civil_from_days(std::int64_t z) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  return {yoe + era * 400 + (m <= 2 ? 1 : 0), m, d};
}

// Zero-filled decimal of a non-negative number, at least `width` digits.
std::string digits(std::int64_t value, int width) {
  std::string text;
  do {
    text.insert(text.begin(), static_cast<char>('0' + value % 10));
    value /= 10;
  } while (value > 0);
  while (static_cast<int>(text.size()) < width) text.insert(text.begin(), '0');
  return text;
}

struct Stamp {
  std::string date;
  std::string time;
};

Stamp start_stamp(int index) {
  const std::int64_t seconds = kStartSecondOfDay + std::int64_t{kCadenceSeconds} * index;
  const CivilDate date = civil_from_days(days_from_civil(kStartYear, kStartMonth, kStartDay) +
                                         seconds / kSecondsPerDay);
  const std::int64_t second_of_day = seconds % kSecondsPerDay;
  return {digits(date.year, 4) + "-" + digits(date.month, 2) + "-" + digits(date.day, 2),
          digits(second_of_day / 3600, 2) + ":" + digits(second_of_day / 60 % 60, 2) + ":" +
              digits(second_of_day % 60, 2)};
}

// The variable is an eclipsing star: 0.25 mag fainter than the comparison outside eclipse, with
// a 0.8 mag deep minimum 1.1 h after the start (23:36 UT), Gaussian in time with sigma 0.35 h.
double var_minus_comp(double hours) {
  const double z = (hours - 1.1) / 0.35;
  return 0.25 + 0.8 * std::exp(-0.5 * z * z);
}

}  // namespace

FrameConditions frame_conditions(int index, std::uint64_t seed) {
  FrameConditions c;
  const Stamp stamp = start_stamp(index);
  c.date = stamp.date;
  c.time = stamp.time;
  c.hours = (double{kCadenceSeconds} * index + 0.5 * kExposureSeconds) / 3600.0;

  // Slow, bounded tracking drift with a small per-frame jitter (sigma 0.2 px, at most 0.5 px),
  // so the stars wander by one or two pixels over the night and never leave their surroundings.
  // The drift is counted from the first frame, where the stars stand at their scene places.
  const auto pointing = [seed](int frame, double hours, double& x, double& y) {
    NormalSource jitter(stream_seed(seed ^ kJitterSalt, static_cast<std::uint64_t>(frame)));
    x = 1.8 * std::sin(hours / 2.2) + std::clamp(0.2 * jitter.next(), -0.5, 0.5);
    y = -1.2 * std::sin(hours / 1.7) + std::clamp(0.2 * jitter.next(), -0.5, 0.5);
  };
  double x0 = 0;
  double y0 = 0;
  pointing(0, 0.5 * kExposureSeconds / 3600.0, x0, y0);
  pointing(index, c.hours, c.drift_x, c.drift_y);
  c.drift_x -= x0;
  c.drift_y -= y0;

  c.fwhm = 3.5 + 0.3 * std::sin(2.1 * c.hours + 0.4);
  c.transparency = 0.96 + 0.04 * std::cos(c.hours / 1.5);
  c.sky = 1000.0 + 6.0 * c.hours;
  c.var_minus_comp = var_minus_comp(c.hours);
  return c;
}

std::string frame_stamp(int index) {
  const Stamp stamp = start_stamp(index);
  return stamp.date + " " + stamp.time;
}

}  // namespace orvane::sample_night
