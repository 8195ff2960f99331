#pragma once

#include <array>
#include <cstdint>

#include "core/image_frame.h"
#include "photometry/photometry_settings.h"
#include "photometry/position_table.h"

namespace orvane::photometry {

// The peak search: each star of the table is moved to the box of side 2h + 1
// (h = floor(aperture_size / 2)) with the largest sum within search_span of its stored position,
// and its sky slot moves with it. Ties go to the smallest x, then the smallest y; the stored
// position stays only when every candidate has the same sum. Box sums count only pixels inside
// the frame, in 64-bit integers (integer sums) or doubles (real sums). Returns the positions of
// all six slots.
SlotPositions peak_search(const core::ImageFrame& frame, const PhotometrySettings& settings,
                          const PositionTable& table);

// Star and sky sums of one measurement, by slot 1..6. For a sky slot the sum is the sky already
// scaled to its star's aperture, so the star's signal is sum(s) - sum(s + 1).
struct ApertureSums {
  int sum_mode = 0;  // 0 integer sums (whole), 1 real sums (real)
  std::array<std::int64_t, 7> whole{};
  std::array<double, 7> real{};
  std::array<std::int64_t, 7> pixels{};  // pixels that went into each aperture or sky list

  // True when the star's sum exceeds its sky.
  bool has_signal(int star_slot) const;
  // Star sum minus sky, formed in the sum's own type.
  double signal(int star_slot) const;
};

// Sums the apertures at the given positions (stars and, in aperture-sky mode, sky boxes).
// Circle apertures and rings read a pixel beyond the frame at the nearest edge pixel, so their
// pixel counts never depend on where the star is; square boxes count only pixels inside the
// frame. A sky list with no pixels gives a sky of 0.
ApertureSums measure_apertures(const core::ImageFrame& frame, const PhotometrySettings& settings,
                               const SlotPositions& positions);

}  // namespace orvane::photometry
