#pragma once

#include <array>
#include <optional>
#include <string>

#include "core/image_frame.h"
#include "photometry/comparison_star.h"
#include "photometry/observation_lines.h"
#include "photometry/photometry_settings.h"
#include "photometry/position_table.h"
#include "photometry/star_measurement.h"

namespace orvane::photometry {

// The three stars in the order a run measures them and the lines list them.
enum StarIndex { kComparisonStar = 0, kVariableStar = 1, kCheckStar = 2 };

struct RunResult {
  SlotPositions positions{};  // what the six pairs of position boxes show after the run
  // Rounded instrumental magnitudes by StarIndex; empty for a star without signal.
  std::array<std::optional<double>, 3> magnitudes{};
  bool no_star = false;  // some star had no signal: no lines for this run
  ApertureSums sums;
};

// The measuring part of a "Photometry" press on the frame: the peak search (which moves the
// table's stars in "Peak cast & Move position"), the apertures and the magnitudes. `shown` are
// the positions the boxes hold before the run; "Fixed position" measures there. The frame is
// only read.
RunResult measurement_run(const core::ImageFrame& frame, const PhotometrySettings& settings,
                          PositionTable& table, const SlotPositions& shown);

// The lines a run leaves on the clipboard.
struct PhotometryLines {
  std::string observation;
  std::optional<std::string> report;  // with a band chosen and a date and time in the header
};

// Reads the time from the frame's header and builds the lines from the magnitude boxes.
PhotometryLines photometry_lines(const core::ImageFrame& frame, const MagnitudeValues& boxes,
                                 int digits, const ComparisonStarDetails& details);

}  // namespace orvane::photometry
