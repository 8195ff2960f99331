#include "photometry/sky_area.h"

#include <cmath>

namespace orvane::photometry {
namespace {

// No frame is wider than this; a larger aperture or ring would only make a measurement crawl.
constexpr double kLargestSize = 5501;

double half(double size) {
  return std::floor(size / 2);
}

}  // namespace

double outside_maximum(double inside) {
  return std::floor(std::sqrt(2925 + inside * (inside + 1)));
}

SkyArea standard_sky_area(int aperture_shape, double aperture) {
  if (aperture_shape == 0 && aperture < 5) return {aperture, 10, 20};
  return {aperture, 2 * aperture, 4 * aperture};
}

std::optional<std::string> sky_area_refusal(int aperture_shape, const SkyArea& area) {
  if (!(area.aperture >= 1) || area.aperture > kLargestSize) return "Aperture size error";
  if (outside_maximum(area.inside) <= area.outside || area.outside <= area.inside ||
      area.outside > kLargestSize) {
    return "Sky size error";
  }
  if (area.aperture >= area.inside) return "Aperture > Sky , error";
  if (aperture_shape == 1 && half(area.inside) <= half(area.aperture)) {
    return "Aperture > Sky , error";
  }
  return std::nullopt;
}

std::optional<std::string> sky_area_warning(const SkyArea& area) {
  if (area.outside >= outside_maximum(area.inside) || area.aperture >= area.inside) {
    return "the Sky Area is too small. Please change";
  }
  return std::nullopt;
}

}  // namespace orvane::photometry
