#pragma once

namespace orvane::photometry {

// The instrumental magnitude of a star's signal (its sum minus its sky, > 0):
// 20 - 2.511886432 x log10(signal), rounded halves up to `digits` decimals (2, or 3 for any
// other value).
double instrumental_magnitude(double signal, int digits);

}  // namespace orvane::photometry
