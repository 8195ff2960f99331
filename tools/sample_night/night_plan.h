#pragma once

#include <cstdint>
#include <string>

// What changes from frame to frame over the sample night: the clock, the pointing drift, the
// seeing, the transparency and the variable star's brightness.
namespace orvane::sample_night {

// The night starts on 2026-03-14 at 22:30:00 UT; one 60 s exposure starts every 120 s, so the
// default 60 frames run past midnight into 2026-03-15.
inline constexpr int kExposureSeconds = 60;
inline constexpr int kCadenceSeconds = 120;

// The program's magnitude factor: m = -2.511886432 log10(flux) + constant.
inline constexpr double kMagnitudeFactor = 2.511886432;

struct FrameConditions {
  std::string date;           // "yyyy-mm-dd", UT date of the exposure start
  std::string time;           // "hh:mm:ss", UT time of the exposure start
  double hours = 0;           // from the first exposure's start to this exposure's middle
  double drift_x = 0;         // pixels, shift of every star from its place in the scene
  double drift_y = 0;         // pixels
  double fwhm = 0;            // pixels, of the Gaussian star image
  double transparency = 1;    // factor on every star's flux, 0..1
  double sky = 0;             // ADU per pixel at the frame centre
  double var_minus_comp = 0;  // magnitudes, V-C of the true fluxes at mid-exposure
};

// Frame `index` (0 for the first) of a night made with `seed`.
FrameConditions frame_conditions(int index, std::uint64_t seed);

// "yyyy-mm-dd hh:mm:ss" of the start of exposure `index`.
std::string frame_stamp(int index);

}  // namespace orvane::sample_night
