#include "photometry/astro_time.h"

#include <array>
#include <cmath>
#include <numbers>
#include <vector>

#include "core/number_text.h"

namespace orvane::photometry {
namespace {

constexpr double kJ2000 = 2451545.0;
constexpr double kDaysPerAu = 0.0057755183;  // light time over one astronomical unit
constexpr double kSecondsPerDay = 86400.0;
constexpr double kObliquity = 23.4393;  // degrees, J2000

double radians(double degrees) {
  return degrees * std::numbers::pi / 180.0;
}

// Days from 1970-01-01 to a Gregorian date (the proleptic calendar on both sides).
long days_from_civil(int year, int month, int day) {
  const long y = year - (month <= 2 ? 1 : 0);
  const long era = (y >= 0 ? y : y - 399) / 400;
  const long year_of_era = y - era * 400;
  const long day_of_year = (153L * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const long day_of_era = year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
  return era * 146097 + day_of_era - 719468;
}

struct Vector {
  double x = 0;
  double y = 0;
  double z = 0;
};

// A point of the J2000 ecliptic, in equatorial coordinates.
Vector from_ecliptic(double longitude, double latitude, double distance) {
  const double l = radians(longitude), b = radians(latitude), e = radians(kObliquity);
  const double x = distance * std::cos(b) * std::cos(l);
  const double y = distance * std::cos(b) * std::sin(l);
  const double z = distance * std::sin(b);
  return {x, y * std::cos(e) - z * std::sin(e), y * std::sin(e) + z * std::cos(e)};
}

Vector unit_vector(const SkyPosition& star) {
  const double a = radians(star.ra), d = radians(star.dec);
  return {std::cos(d) * std::cos(a), std::cos(d) * std::sin(a), std::sin(d)};
}

double dot(const Vector& p, const Vector& q) {
  return p.x * q.x + p.y * q.y + p.z * q.z;
}

// The Sun seen from the Earth in astronomical units, J2000 equator and equinox, from its
// approximate coordinates. The mean longitude of the date is moved back to the J2000 equinox.
Vector sun_from_earth(double jd) {
  const double d = jd - kJ2000;
  const double g = radians(357.529 + 0.98560028 * d);
  const double longitude = 280.459 + 0.98564736 * d + 1.915 * std::sin(g) +
                           0.020 * std::sin(2 * g) - 1.397 * d / 36525.0;
  const double distance = 1.00014 - 0.01671 * std::cos(g) - 0.00014 * std::cos(2 * g);
  return from_ecliptic(longitude, 0, distance);
}

// The Sun seen from the solar system's barycentre: the giant planets on circular orbits in
// the ecliptic, each pulling the Sun by its mass ratio. Mean longitudes at J2000 and their
// motion per Julian century.
Vector sun_from_barycentre(double jd_tdb) {
  struct Planet {
    double mass_ratio;  // planet / Sun
    double distance;    // semi-major axis, AU
    double longitude;   // mean longitude at J2000, degrees
    double motion;      // degrees per Julian century
  };
  static constexpr std::array<Planet, 4> kPlanets{{
      {1 / 1047.348644, 5.20288700, 34.39644051, 3034.74612775},
      {1 / 3497.9018, 9.53667594, 49.95424423, 1222.49362201},
      {1 / 22902.98, 19.18916464, 313.23810451, 428.48202785},
      {1 / 19412.26, 30.06992276, -55.12002969, 218.45945325},
  }};
  const double centuries = (jd_tdb - kJ2000) / 36525.0;
  Vector sun;
  for (const Planet& p : kPlanets) {
    const Vector planet = from_ecliptic(p.longitude + p.motion * centuries, 0, p.distance);
    sun.x -= p.mass_ratio * planet.x;
    sun.y -= p.mass_ratio * planet.y;
    sun.z -= p.mass_ratio * planet.z;
  }
  return sun;
}

// The annual aberration in arc seconds (right ascension, declination) for a star at a and d in
// radians: up to 20.5", as much as the precession of twenty years near the horizon.
struct Aberration {
  double ra = 0;
  double dec = 0;
};
Aberration annual_aberration(double jd, double a, double d) {
  constexpr double kConstant = 20.49552;
  const double days = jd - kJ2000;
  const double g = radians(357.529 + 0.98560028 * days);
  const double sun =
      radians(280.459 + 0.98564736 * days + 1.915 * std::sin(g) + 0.020 * std::sin(2 * g));
  const double e = radians(kObliquity);
  const double ra = -kConstant *
                    (std::cos(a) * std::cos(sun) * std::cos(e) + std::sin(a) * std::sin(sun)) /
                    std::cos(d);
  const double dec = -kConstant * (std::cos(sun) * std::cos(e) *
                                       (std::tan(e) * std::cos(d) - std::sin(a) * std::sin(d)) +
                                   std::cos(a) * std::sin(d) * std::sin(sun));
  return {ra, dec};
}

// TDB - TT in seconds: the largest periodic term, from the Earth's orbital eccentricity.
double barycentric_minus_terrestrial(double jd) {
  const double g = radians(357.53 + 0.98560028 * (jd - kJ2000));
  return 0.001657 * std::sin(g + 0.0167 * std::sin(g));
}

// The whole numbers and the fraction of a sexagesimal text split at blanks or colons, with its
// sign; empty when a part is not a number or there are more than three parts.
struct Sexagesimal {
  std::vector<double> parts;
  bool negative = false;
};
std::optional<Sexagesimal> split_sexagesimal(std::string_view text) {
  Sexagesimal result;
  std::size_t at = text.find_first_not_of(' ');
  if (at == std::string_view::npos) return std::nullopt;
  if (text[at] == '+' || text[at] == '-') {
    result.negative = text[at] == '-';
    ++at;
  }
  while (at < text.size()) {
    const std::size_t end = std::min(text.find_first_of(" :", at), text.size());
    const std::string_view part = text.substr(at, end - at);
    if (!part.empty()) {
      if (part.find_first_not_of("0123456789.") != std::string_view::npos ||
          part.find_first_of("0123456789") == std::string_view::npos) {
        return std::nullopt;
      }
      result.parts.push_back(core::val(part));
    }
    at = end + 1;
  }
  if (result.parts.empty() || result.parts.size() > 3) return std::nullopt;
  for (std::size_t i = 1; i < result.parts.size(); ++i) {
    if (result.parts[i] >= 60) return std::nullopt;
  }
  return result;
}

double sexagesimal_value(const Sexagesimal& s) {
  double value = 0, unit = 1;
  for (double part : s.parts) {
    value += part / unit;
    unit *= 60;
  }
  return s.negative ? -value : value;
}

}  // namespace

double julian_date(int year, int month, int day, double hours) {
  return 2440587.5 + static_cast<double>(days_from_civil(year, month, day)) + hours / 24.0;
}

CalendarTime calendar_time(double jd) {
  const double days = std::floor(jd - 2440587.5);
  const long z = static_cast<long>(days) + 719468;
  const long era = (z >= 0 ? z : z - 146096) / 146097;
  const long day_of_era = z - era * 146097;
  const long year_of_era =
      (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
  const long day_of_year = day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
  const long mp = (5 * day_of_year + 2) / 153;
  const int day = static_cast<int>(day_of_year - (153 * mp + 2) / 5 + 1);
  const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  const int year = static_cast<int>(year_of_era + era * 400 + (month <= 2 ? 1 : 0));
  return {year, month, day, (jd - 2440587.5 - days) * 24.0};
}

double heliocentric_julian_date(double jd_utc, const SkyPosition& star) {
  return jd_utc - kDaysPerAu * dot(sun_from_earth(jd_utc), unit_vector(star));
}

double terrestrial_minus_utc(double jd_utc) {
  // TAI - UTC from the first day of each month named (UTC midnight).
  struct Step {
    int year;
    int month;
    int seconds;
  };
  static constexpr std::array<Step, 28> kSteps{{
      {1972, 1, 10}, {1972, 7, 11}, {1973, 1, 12}, {1974, 1, 13}, {1975, 1, 14}, {1976, 1, 15},
      {1977, 1, 16}, {1978, 1, 17}, {1979, 1, 18}, {1980, 1, 19}, {1981, 7, 20}, {1982, 7, 21},
      {1983, 7, 22}, {1985, 7, 23}, {1988, 1, 24}, {1990, 1, 25}, {1991, 1, 26}, {1992, 7, 27},
      {1993, 7, 28}, {1994, 7, 29}, {1996, 1, 30}, {1997, 7, 31}, {1999, 1, 32}, {2006, 1, 33},
      {2009, 1, 34}, {2012, 7, 35}, {2015, 7, 36}, {2017, 1, 37},
  }};
  int tai_minus_utc = kSteps.front().seconds;
  for (const Step& step : kSteps) {
    if (jd_utc >= julian_date(step.year, step.month, 1, 0)) tai_minus_utc = step.seconds;
  }
  return 32.184 + tai_minus_utc;
}

double barycentric_julian_date(double jd_utc, const SkyPosition& star) {
  const double jd_tt = jd_utc + terrestrial_minus_utc(jd_utc) / kSecondsPerDay;
  const double jd_tdb = jd_tt + barycentric_minus_terrestrial(jd_tt) / kSecondsPerDay;
  const Vector sun = sun_from_earth(jd_tt);
  const Vector offset = sun_from_barycentre(jd_tdb);
  // The Earth from the barycentre is the Sun from the barycentre minus the Sun from the Earth.
  const Vector earth{offset.x - sun.x, offset.y - sun.y, offset.z - sun.z};
  return jd_tdb + kDaysPerAu * dot(earth, unit_vector(star));
}

std::optional<double> secant_zenith(double jd_utc, const SkyPosition& star, const Site& site) {
  // First-order precession from J2000 to the date: m = 46.124", n = 20.043" a year.
  const double years = (jd_utc - kJ2000) / 365.25;
  const double a = radians(star.ra), d = radians(star.dec);
  const Aberration shift = annual_aberration(jd_utc, a, d);
  const double ra =
      star.ra + (years * (46.124 + 20.043 * std::sin(a) * std::tan(d)) + shift.ra) / 3600.0;
  const double dec = star.dec + (years * 20.043 * std::cos(a) + shift.dec) / 3600.0;
  const double days = jd_utc - kJ2000;
  const double sidereal = 280.46061837 + 360.98564736629 * days + site.longitude;
  const double hour_angle = radians(sidereal - ra);
  const double lat = radians(site.latitude), delta = radians(dec);
  const double cos_z =
      std::sin(lat) * std::sin(delta) + std::cos(lat) * std::cos(delta) * std::cos(hour_angle);
  if (!(cos_z > 0)) return std::nullopt;
  return 1 / cos_z;
}

double hardie_air_mass(double secant) {
  const double s = secant - 1;
  return secant - 0.0018167 * s - 0.002875 * s * s - 0.0008083 * s * s * s;
}

std::optional<double> parse_right_ascension(std::string_view text) {
  const auto parts = split_sexagesimal(text);
  if (!parts || parts->negative) return std::nullopt;
  const double degrees =
      parts->parts.size() == 1 ? parts->parts[0] : 15.0 * sexagesimal_value(*parts);
  if (!(degrees >= 0 && degrees < 360)) return std::nullopt;
  return degrees;
}

std::optional<double> parse_degrees(std::string_view text, double limit) {
  const auto parts = split_sexagesimal(text);
  if (!parts) return std::nullopt;
  const double degrees = sexagesimal_value(*parts);
  if (!(std::fabs(degrees) <= limit)) return std::nullopt;
  return degrees;
}

std::optional<Site> parse_site(std::string_view text) {
  const std::size_t comma = text.find(',');
  if (comma == std::string_view::npos) return std::nullopt;
  const auto latitude = parse_degrees(text.substr(0, comma), 90);
  const auto longitude = parse_degrees(text.substr(comma + 1), 180);
  if (!latitude || !longitude) return std::nullopt;
  return Site{*latitude, *longitude};
}

}  // namespace orvane::photometry
