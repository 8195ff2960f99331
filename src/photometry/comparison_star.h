#pragma once

#include <string>

namespace orvane::photometry {

// The variable star's name, the comparison star's catalogue magnitude, the band and the
// observer code, from which each photometry run builds its report line.
struct ComparisonStarDetails {
  std::string star_name;
  double comp_magnitude = 0;
  int band_index = -1;  // 0 B, 1 V, 2 Rc, 3 Ic, -1 no report line
  std::string observer_code = "Obs code";
};

// "B", "V", "Rc" or "Ic" for band 0..3; empty for anything else.
const char* band_text(int band_index);

// The observer's report fields kept in orvane.ini between runs.
struct ObserverDetails {
  std::string code;
  std::string band;            // band or colour of the comparison magnitude, e.g. "V"
  std::string observer_place;  // observer and place
  std::string instruments;
};

}  // namespace orvane::photometry
