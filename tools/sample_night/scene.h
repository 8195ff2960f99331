#pragma once

#include <cstdint>
#include <vector>

#include "sample_night/night_plan.h"

// The star field of the sample night and the rendering of one frame.
namespace orvane::sample_night {

// Smallest and largest frame side: the three measured stars need 32 px of clear sky round them
// (the program's default sky ring reaches 20 px, plus drift), and the program reads at most
// 5501 x 5501 pixels.
inline constexpr int kMinSize = 128;
inline constexpr int kMaxSize = 5501;

struct Star {
  double x = 0;     // column of the centre in the first frame, pixel centres at whole numbers
  double y = 0;     // row, 0 = first data row
  double flux = 0;  // ADU summed over the whole star image, at full transparency
};

struct Scene {
  int size = 0;  // frame side in pixels
  Star comp;     // constant comparison star
  Star var;      // variable star; its flux is the comparison's scaled by the light curve
  Star check;    // constant check star
  std::vector<Star> others;  // field stars and the saturated stars
};

Scene make_scene(int size, std::uint64_t seed);

// Flux of the variable star in a frame, before transparency.
double var_flux(const Scene& scene, const FrameConditions& conditions);

// Renders one frame: sky with a slight gradient, every star as a Gaussian integrated exactly over
// each pixel, Gaussian read and photon noise, values rounded and clipped to 0..65535.
// `pixels` is resized to size x size, row after row.
void render_frame(const Scene& scene, const FrameConditions& conditions, std::uint64_t noise_seed,
                  std::vector<double>& work, std::vector<std::uint16_t>& pixels);

}  // namespace orvane::sample_night
