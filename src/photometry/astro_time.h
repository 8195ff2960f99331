#pragma once

#include <optional>
#include <string_view>

// Astronomical times of an observation: Julian Date from a UT date and time, the heliocentric
// and barycentric corrections for a star, and the air mass at an observing site. Accurate to
// about a second of time and 0.002 air mass: enough for variable-star reports, not for timing
// pulsars.
namespace orvane::photometry {

// A position on the sky in degrees, equinox J2000.
struct SkyPosition {
  double ra = 0;   // right ascension, 0 <= ra < 360
  double dec = 0;  // declination, -90..90
};

// An observing site in degrees; longitude east positive.
struct Site {
  double latitude = 0;
  double longitude = 0;
};

// Julian Date of a Gregorian date at `hours` UT (hours may lie outside 0..24: 27 is 03:00 of
// the next day, -2 is 22:00 of the day before).
double julian_date(int year, int month, int day, double hours);

// The UT calendar date and time of a Julian Date.
struct CalendarTime {
  int year = 0;
  int month = 0;
  int day = 0;
  double hours = 0;  // 0 <= hours < 24
};
CalendarTime calendar_time(double jd);

// Heliocentric Julian Date: the light time between the Earth and the Sun along the star's
// direction taken off. The Sun from its approximate coordinates (accurate to 0.01 degree).
double heliocentric_julian_date(double jd_utc, const SkyPosition& star);

// Barycentric Julian Date in Barycentric Dynamical Time: UTC moved to TT by the leap seconds,
// and the light time to the solar system's barycentre, which the Sun circles because of the
// giant planets (taken on circular orbits).
double barycentric_julian_date(double jd_utc, const SkyPosition& star);

// TT - UTC in seconds at the Julian Date (UTC): 32.184 s plus the leap seconds; before 1972
// the first leap-second offset of 10 s.
double terrestrial_minus_utc(double jd_utc);

// Secant of the zenith distance of the star at the site, the star's J2000 position moved to
// the date by first-order precession and the annual aberration (no refraction). Empty when the star
// is at or below the horizon.
std::optional<double> secant_zenith(double jd_utc, const SkyPosition& star, const Site& site);

// Air mass from sec z by Hardie's polynomial (1962).
double hardie_air_mass(double secant);

// Right ascension in degrees from "HH MM SS.s" or "HH:MM:SS.s" (hours, minutes, seconds; the
// seconds or the minutes may be left out), or from a single number, taken as degrees. Empty
// when the text is not one of these or lies outside 0..24 h (0..360 degrees).
std::optional<double> parse_right_ascension(std::string_view text);

// Declination (or latitude, longitude) in degrees from "+DD MM SS.s", "-DD:MM:SS" or a single
// number of degrees. Empty when the text is not one of these or lies outside -limit..limit.
std::optional<double> parse_degrees(std::string_view text, double limit = 90);

// "LAT,LON" in degrees, each a number or sexagesimal degrees; longitude east positive.
std::optional<Site> parse_site(std::string_view text);

}  // namespace orvane::photometry
