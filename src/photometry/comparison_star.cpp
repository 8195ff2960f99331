#include "photometry/comparison_star.h"

namespace orvane::photometry {

const char* band_text(int band_index) {
  static const char* const kBands[] = {"B", "V", "Rc", "Ic"};
  return band_index >= 0 && band_index < 4 ? kBands[band_index] : "";
}

}  // namespace orvane::photometry
