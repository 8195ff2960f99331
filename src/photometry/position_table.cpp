#include "photometry/position_table.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace orvane::photometry {

int box_coordinate(double value) {
  constexpr double kFar = 1000000;
  if (std::isnan(value)) return 0;
  return static_cast<int>(std::nearbyint(std::clamp(value, -kFar, kFar)));
}

std::optional<int> typed_coordinate(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return std::nullopt;
  text = text.substr(first, text.find_last_not_of(' ') - first + 1);
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (value < 0 || value > kLastPlace) return std::nullopt;
  return value;
}

}  // namespace orvane::photometry
