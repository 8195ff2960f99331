#include "photometry/photometry_run.h"

#include "photometry/magnitude.h"

namespace orvane::photometry {

RunResult measurement_run(const core::ImageFrame& frame, const PhotometrySettings& settings,
                          PositionTable& table, const SlotPositions& shown) {
  RunResult result;
  result.positions = shown;
  if (settings.position_mode == 1 || settings.position_mode == 2) {
    result.positions = peak_search(frame, settings, table);
    if (settings.position_mode == 2) table.entries = result.positions;
  }
  result.sums = measure_apertures(frame, settings, result.positions);
  for (int star = 0; star < 3; ++star) {
    const int slot = kStarSlots[star];
    if (result.sums.has_signal(slot)) {
      result.magnitudes[star] = instrumental_magnitude(result.sums.signal(slot), settings.digits);
    } else {
      result.no_star = true;
    }
  }
  return result;
}

PhotometryLines photometry_lines(const core::ImageFrame& frame, const MagnitudeValues& boxes,
                                 int digits, const ComparisonStarDetails& details) {
  const ObservationTime time = run_header_time(header_cards(frame));
  return {observation_line(time, boxes, digits), report_line(time, boxes, digits, details)};
}

}  // namespace orvane::photometry
