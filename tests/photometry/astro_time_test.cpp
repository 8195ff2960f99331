#include "photometry/astro_time.h"

#include <gtest/gtest.h>

namespace orvane::photometry {
namespace {

constexpr double kSecond = 1.0 / 86400.0;

// Reference rows computed once with astropy 5.2.1 (iers.conf.auto_download = False):
//   t = Time(iso, scale='utc', location=EarthLocation.from_geocentric(0, 0, 0, unit='m'))
//   hjd = t.jd + t.light_travel_time(SkyCoord(ra, dec), 'heliocentric')
//   bjd = t.tdb.jd + t.light_travel_time(SkyCoord(ra, dec), 'barycentric')
// sec z from the AltAz frame at 35.68 N 139.74 E without refraction.
// V402 Cyg is the worked example of IDL astrolib's helio_jd: HJD 2441848.9881.
TEST(AstroTime, ReferenceRows) {
  const SkyPosition rz_cas{*parse_right_ascension("02:48:55.51"), *parse_degrees("+69:38:03.4")};
  const double jd = julian_date(2024, 1, 15, 21 + 4 / 60.0 + 25 / 3600.0);
  EXPECT_NEAR(jd, 2460325.378067, 0.05 * kSecond);
  EXPECT_NEAR(heliocentric_julian_date(jd, rz_cas), 2460325.380479, 1 * kSecond);
  EXPECT_NEAR(barycentric_julian_date(jd, rz_cas), 2460325.381259, 1 * kSecond);
  const auto secant = secant_zenith(jd, rz_cas, Site{35.68, 139.74});
  ASSERT_TRUE(secant);
  EXPECT_NEAR(*secant, 3.6745, 0.002);
  EXPECT_NEAR(hardie_air_mass(*secant), hardie_air_mass(3.6745), 0.002);
  // Hardie on sec z 3.6745: 3.6745 - 0.0048587 - 0.0205646 - 0.0154649 = 3.6336.
  EXPECT_NEAR(hardie_air_mass(3.6745), 3.6336, 0.00005);

  const SkyPosition v402_cyg{*parse_right_ascension("20 09 07.8"), *parse_degrees("+37 09 07")};
  const double hjd = heliocentric_julian_date(julian_date(1973, 6, 15, 11 + 40 / 60.0), v402_cyg);
  EXPECT_NEAR(hjd, 2441848.9881, 0.00005);
}

TEST(AstroTime, DatesAndLeapSeconds) {
  EXPECT_EQ(julian_date(2000, 1, 1, 12), 2451545.0);                     // J2000
  EXPECT_EQ(julian_date(1858, 11, 17, 0), 2400000.5);                    // MJD 0
  EXPECT_EQ(julian_date(2024, 2, 28, 27), julian_date(2024, 2, 29, 3));  // leap day
  EXPECT_EQ(julian_date(2023, 3, 1, -2), julian_date(2023, 2, 28, 22));  // no 29 February
  const CalendarTime leap_day = calendar_time(2460369.625);              // 2024-02-29 03:00
  EXPECT_EQ(leap_day.year * 10000 + leap_day.month * 100 + leap_day.day, 20240229);
  EXPECT_DOUBLE_EQ(leap_day.hours, 3);
  EXPECT_EQ(terrestrial_minus_utc(julian_date(2016, 12, 31, 23)), 32.184 + 36);
  EXPECT_EQ(terrestrial_minus_utc(julian_date(2024, 1, 15, 0)), 69.184);
}

TEST(AstroTime, CoordinateTexts) {
  struct Row {
    const char* name;
    std::optional<double> got;
    std::optional<double> expected;
  };
  const Row rows[] = {
      {"RA hours minutes seconds", parse_right_ascension("02 48 55.5"), 42.23125},
      {"RA with colons", parse_right_ascension("12:30"), 187.5},
      {"RA as degrees", parse_right_ascension("42.5"), 42.5},
      {"RA 24 h refused", parse_right_ascension("24 00 00"), std::nullopt},
      {"RA minutes 60 refused", parse_right_ascension("01 60 00"), std::nullopt},
      {"RA text refused", parse_right_ascension("RZ Cas"), std::nullopt},
      {"Dec south below one degree", parse_degrees("-00 30 00"), -0.5},
      {"Dec north", parse_degrees("+69 38 03"), 69 + 38 / 60.0 + 3 / 3600.0},
      {"Dec as degrees", parse_degrees("-12.25"), -12.25},
      {"Dec beyond the pole refused", parse_degrees("91 00 00"), std::nullopt},
      {"empty refused", parse_degrees(""), std::nullopt},
  };
  for (const Row& row : rows) {
    ASSERT_EQ(row.got.has_value(), row.expected.has_value()) << row.name;
    if (row.expected) {
      EXPECT_NEAR(*row.got, *row.expected, 1e-9) << row.name;
    }
  }
  const auto site = parse_site("35.68,139 44 24");
  ASSERT_TRUE(site);
  EXPECT_DOUBLE_EQ(site->latitude, 35.68);
  EXPECT_DOUBLE_EQ(site->longitude, 139.74);
  EXPECT_FALSE(parse_site("35.68"));
  EXPECT_FALSE(parse_site("35.68,200"));
}

TEST(AstroTime, StarBelowTheHorizonHasNoAirMass) {
  // The south celestial pole never rises at 35.68 N.
  EXPECT_FALSE(secant_zenith(2460325.5, SkyPosition{0, -89}, Site{35.68, 139.74}));
}

}  // namespace
}  // namespace orvane::photometry
