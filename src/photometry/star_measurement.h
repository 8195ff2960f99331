#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

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

// The largest pixel value inside each star's aperture (circle or square, as measured), by
// StarIndex order: comparison, variable, check.
std::array<std::int32_t, 3> aperture_peaks(const core::ImageFrame& frame,
                                           const PhotometrySettings& settings,
                                           const SlotPositions& positions);

// The largest value the frame's file could hold: 255 + BZERO for 8 bits, 65535 for unsigned
// 16-bit data (BZERO 0 read unsigned, or BZERO 32768), the 32-bit limit otherwise.
std::int32_t saturation_level(const core::ImageFrame& frame);

// A star whose aperture holds a pixel at or above the saturation level: its magnitude is too
// faint by an unknown amount. star is 0 comparison, 1 variable, 2 check.
struct SaturatedStar {
  int star = 0;
  std::int32_t peak = 0;
};
std::vector<SaturatedStar> saturated_stars(const core::ImageFrame& frame,
                                           const PhotometrySettings& settings,
                                           const SlotPositions& positions, std::int32_t level);

// "night_010.fit: comparison star saturated (peak 65535)".
std::string saturation_message(const std::string& file_name, const SaturatedStar& star);

}  // namespace orvane::photometry
