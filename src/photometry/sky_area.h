#pragma once

#include <optional>
#include <string>

namespace orvane::photometry {

// Aperture size and sky ring of the "Sky area set" window, in pixels.
struct SkyArea {
  double aperture = 3;
  double inside = 10;
  double outside = 20;
};

// The largest outside radius the window allows for an inside radius:
// floor(sqrt(2925 + inside x (inside + 1))).
double outside_maximum(double inside);

// "Standard": a ring of 10 to 20 for circles smaller than 5, else 2 and 4 times the aperture.
SkyArea standard_sky_area(int aperture_shape, double aperture);

// The message OK shows for an area it refuses, in the order the window checks: "Aperture size
// error", "Sky size error", "Aperture > Sky , error"; empty when the area is taken. Besides the
// outside maximum, an outside radius not above the inside one is refused, and for squares an
// inside half not above the aperture's half (the ring would lie inside the star's box); sizes
// beyond the 5501-pixel frame are refused too.
std::optional<std::string> sky_area_refusal(int aperture_shape, const SkyArea& area);

// The warning shown when the window opens with an area it would refuse: "the Sky Area is too
// small. Please change"; empty otherwise.
std::optional<std::string> sky_area_warning(const SkyArea& area);

}  // namespace orvane::photometry
