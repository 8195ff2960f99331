#include "display/picture_export.h"

#include <algorithm>

#include "core/derived_names.h"
#include "core/number_text.h"

namespace orvane::display {

std::string proposed_bitmap_name(const std::string& frame_path) {
  return core::derived_name(core::file_name_part(frame_path), ".bmp");
}

std::string jpeg_name(const std::string& bitmap_name) {
  return core::derived_name(bitmap_name, ".jpg");
}

int typed_quality(double q, int previous) {
  if (!(q > -1 && q < 101)) return previous;
  return std::clamp(core::round_to_i32(q), 0, 100);
}

}  // namespace orvane::display
