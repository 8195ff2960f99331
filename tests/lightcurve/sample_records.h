#pragma once

#include <string>
#include <vector>

#include "lightcurve/light_curve_data.h"

namespace orvane::lightcurve::test {

// An observation record line as automatic photometry writes it: date, time, exposure " 030",
// the three magnitudes with their labels and the image path.
inline std::string observation(const std::string& date_time, const std::string& exposure,
                               const std::string& check, const std::string& comp,
                               const std::string& var, const std::string& image = "/obs/a.fit") {
  return date_time + " " + exposure + " Check=" + check + " Comp=" + comp + " Var=" + var + " " +
         image;
}

inline LightCurveData parsed(const std::vector<std::string>& lines) {
  LightCurveData data = parse_light_curve(lines);
  data.path = "/obs/mag_est.txt";
  return data;
}

// Two records, at 21:30 and 02:15: C-K -0.5 and -0.25, V-C 1.5 and 1.25.
inline LightCurveData two_records() {
  return parsed({observation("03/02/00 21:30:00", "030", "012.00", "011.50", "013.00"),
                 observation("04/02/00 02:15:00", "030", "012.00", "011.75", "013.00")});
}

}  // namespace orvane::lightcurve::test
