#pragma once

#include <optional>
#include <string>

#include "photometry/comparison_star.h"
#include "photometry/header_time.h"

namespace orvane::photometry {

// The values of the three magnitude boxes as the lines read them back.
struct MagnitudeValues {
  double comparison = 0;
  double variable = 0;
  double check = 0;
};

// The clipboard line of a "Photometry" press, e.g.
// "15/01/03 21:04:10 030 Check= 12.35 Comp= 11.2 Var= 13.46": date, time when there is one,
// the exposure in three digits when there is one, then the magnitudes rounded to `digits`.
std::string observation_line(const ObservationTime& time, const MagnitudeValues& m, int digits);

// The report line, e.g. "RCas 20030115210425 K= 12.35 C= 11.2 V= 13.46  12.76V ABC": star name,
// date and the middle of the exposure (hours before 09 written as 24 and more on the day
// before), the magnitudes, the estimate comp_magnitude - comparison + variable, the band and
// the observer code. Empty without a band, a readable date or a time.
std::optional<std::string> report_line(const ObservationTime& time, const MagnitudeValues& m,
                                       int digits, const ComparisonStarDetails& details);

// One line of "mag_est.txt" without its line end, e.g.
// "15/01/03 21:04:10 030 Check=012.35 Comp=011.22 Var=013.46 /obs/m31_001.fit".
std::string observation_record(const ObservationTime& time, const MagnitudeValues& m, int digits,
                               const std::string& image_path);

}  // namespace orvane::photometry
