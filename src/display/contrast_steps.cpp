#include "display/contrast_steps.h"

#include "core/number_text.h"

namespace orvane::display {

std::int32_t contrast_step(std::int32_t value, double factor) {
  return orvane::core::round_to_i32(double(value) * factor);
}

std::int32_t contrast_field_from_text(std::string_view text) {
  return orvane::core::round_to_i32(orvane::core::val(text));
}

}  // namespace orvane::display
