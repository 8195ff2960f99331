#include "sample_night/scene.h"

#include <algorithm>
#include <cmath>

#include "sample_night/random.h"

namespace orvane::sample_night {
namespace {

constexpr double kCompFlux = 100000.0;
constexpr double kCheckFlux = 60000.0;
constexpr double kReadNoise = 12.0;  // ADU per pixel, sky noise included
constexpr double kGain = 2.0;        // electrons per ADU, for the photon noise of the stars
constexpr double kIsolation = 32.0;  // px kept free of other stars round the measured stars

// The three measured stars sit at fixed fractions of the frame side and share one sub-pixel
// offset, so the program's whole-pixel apertures cut the same share of each star's light and V-C
// is recovered without a sampling bias. Their nearest pixels are floor(fraction x size).
Star place(int size, double fx, double fy, double flux) {
  return {std::floor(fx * size) + 0.2, std::floor(fy * size) + 0.25, flux};
}

double distance(const Star& a, double x, double y) {
  return std::hypot(a.x - x, a.y - y);
}

// Flux of a field star: log-uniform between 2000 and 60000 ADU.
double field_flux(SplitMix64& random) {
  return 2000.0 * std::pow(30.0, random.uniform());
}

void add_field_stars(Scene& scene, SplitMix64& random) {
  const int size = scene.size;
  const double scale = static_cast<double>(size) / 512.0;
  const int wanted = std::max(8, static_cast<int>(std::lround(40.0 * scale * scale)));
  const int keep_off = 8;  // px from the edges
  int placed = 0;
  for (int attempt = 0; placed < wanted && attempt < 100 * wanted; ++attempt) {
    const double x = keep_off + random.uniform() * (size - 1 - 2 * keep_off);
    const double y = keep_off + random.uniform() * (size - 1 - 2 * keep_off);
    const double flux = field_flux(random);
    const bool crowds = distance(scene.comp, x, y) < kIsolation ||
                        distance(scene.var, x, y) < kIsolation ||
                        distance(scene.check, x, y) < kIsolation;
    if (crowds) continue;
    scene.others.push_back({x, y, flux});
    ++placed;
  }
}

// Adds a Gaussian star of total `flux` centred at (x, y). The share of each pixel is the exact
// integral over the pixel, a product of error-function differences, and only pixels within
// 5 sigma are touched (the light beyond is below a millionth).
void add_star(std::vector<double>& light, int size, double x, double y, double flux, double sigma) {
  const int half = std::min(31, static_cast<int>(std::ceil(5.0 * sigma)) + 1);
  const int cx = static_cast<int>(std::floor(x + 0.5));
  const int cy = static_cast<int>(std::floor(y + 0.5));
  const int x0 = std::max(0, cx - half);
  const int x1 = std::min(size - 1, cx + half);
  const int y0 = std::max(0, cy - half);
  const int y1 = std::min(size - 1, cy + half);
  if (x0 > x1 || y0 > y1) return;
  const double k = 1.0 / (sigma * std::sqrt(2.0));
  double wx[64];
  double wy[64];
  for (int i = x0; i <= x1; ++i) {
    wx[i - x0] = 0.5 * (std::erf((i + 0.5 - x) * k) - std::erf((i - 0.5 - x) * k));
  }
  for (int j = y0; j <= y1; ++j) {
    wy[j - y0] = 0.5 * (std::erf((j + 0.5 - y) * k) - std::erf((j - 0.5 - y) * k));
  }
  for (int j = y0; j <= y1; ++j) {
    double* row = light.data() + static_cast<std::size_t>(j) * size;
    const double fy = flux * wy[j - y0];
    for (int i = x0; i <= x1; ++i) row[i] += fy * wx[i - x0];
  }
}

}  // namespace

Scene make_scene(int size, std::uint64_t seed) {
  Scene scene;
  scene.size = size;
  scene.comp = place(size, 0.30, 0.62, kCompFlux);
  scene.var = place(size, 0.62, 0.38, kCompFlux);
  scene.check = place(size, 0.70, 0.72, kCheckFlux);
  // Saturated stars, far from the measured ones: peaks of several 100000 ADU, clipped at 65535.
  scene.others.push_back({0.16 * size + 0.4, 0.18 * size + 0.7, 2.5e6});
  if (size >= 256) scene.others.push_back({0.84 * size + 0.6, 0.22 * size + 0.1, 5.0e6});
  SplitMix64 random(seed);
  add_field_stars(scene, random);
  return scene;
}

double var_flux(const Scene& scene, const FrameConditions& conditions) {
  return scene.comp.flux * std::pow(10.0, -conditions.var_minus_comp / kMagnitudeFactor);
}

void render_frame(const Scene& scene, const FrameConditions& conditions, std::uint64_t noise_seed,
                  std::vector<double>& work, std::vector<std::uint16_t>& pixels) {
  const int size = scene.size;
  const std::size_t count = static_cast<std::size_t>(size) * size;
  work.assign(count, 0.0);
  const double sigma = conditions.fwhm / 2.3548200450309493;
  const double t = conditions.transparency;
  auto add = [&](const Star& star, double flux) {
    add_star(work, size, star.x + conditions.drift_x, star.y + conditions.drift_y, flux * t, sigma);
  };
  add(scene.comp, scene.comp.flux);
  add(scene.var, var_flux(scene, conditions));
  add(scene.check, scene.check.flux);
  for (const Star& star : scene.others) add(star, star.flux);

  // Sky: a gradient of a few ADU across the frame; noise: read noise plus the stars' photons.
  NormalSource normal(noise_seed);
  pixels.resize(count);
  const double centre = 0.5 * (size - 1);
  for (int y = 0; y < size; ++y) {
    const double sky_row = conditions.sky + 0.010 * (y - centre);
    for (int x = 0; x < size; ++x) {
      const std::size_t at = static_cast<std::size_t>(y) * size + x;
      const double star = work[at];
      const double spread = std::sqrt(kReadNoise * kReadNoise + star / kGain);
      const double value = sky_row + 0.015 * (x - centre) + star + spread * normal.next();
      pixels[at] = static_cast<std::uint16_t>(std::clamp(std::floor(value + 0.5), 0.0, 65535.0));
    }
  }
}

}  // namespace orvane::sample_night
