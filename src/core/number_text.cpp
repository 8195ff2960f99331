#include "core/number_text.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace orvane::core {
namespace {

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

// The shortest fixed-notation digits of |value| that read back as the same double.
std::string shortest_fixed(double magnitude) {
  char buffer[512];
  auto [end, ec] =
      std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::fixed);
  if (ec != std::errc()) return "0";
  return std::string(buffer, end);
}

// Adds one unit in the last place of a string of decimal digits; returns true on carry out.
bool increment_digits(std::string& digits) {
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
    if (*it == '9') {
      *it = '0';
    } else {
      ++*it;
      return false;
    }
  }
  return true;
}

bool is_placeholder(char c) {
  return c == '0' || c == '#';
}

std::string format_integer_part(std::string_view pattern, const std::string& digits) {
  std::string out;
  int next = static_cast<int>(digits.size()) - 1;  // next digit to place, from the right
  std::size_t leftmost = pattern.find_first_of("0#");
  for (std::size_t i = pattern.size(); i-- > 0;) {
    char c = pattern[i];
    if (!is_placeholder(c)) {
      out.insert(out.begin(), c);
      continue;
    }
    if (next >= 0) {
      out.insert(out.begin(), digits[next--]);
    } else if (c == '0') {
      out.insert(out.begin(), '0');
    }
    if (i == leftmost && next >= 0) {
      // Digits beyond the pattern are all written.
      out.insert(0, digits.substr(0, next + 1));
      next = -1;
    }
  }
  if (leftmost == std::string_view::npos) out.insert(0, digits);
  return out;
}

std::string format_fraction_part(std::string_view pattern, const std::string& digits) {
  int last_significant = -1;
  for (int i = 0; i < static_cast<int>(digits.size()); ++i) {
    if (digits[i] != '0') last_significant = i;
  }
  std::string out;
  int index = 0;
  for (char c : pattern) {
    if (!is_placeholder(c)) {
      out += c;
      continue;
    }
    if (c == '0' || index <= last_significant) out += digits[index];
    ++index;
  }
  return out;
}

}  // namespace

double val(std::string_view text) {
  std::size_t i = 0;
  const std::size_t n = text.size();
  while (i < n && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  const std::size_t start = i;
  int mantissa_digits = 0;
  while (i < n && is_digit(text[i])) ++i, ++mantissa_digits;
  if (i < n && text[i] == '.') {
    ++i;
    while (i < n && is_digit(text[i])) ++i, ++mantissa_digits;
  }
  if (mantissa_digits == 0) return 0;
  std::size_t end = i;
  if (i < n && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < n && (text[j] == '+' || text[j] == '-')) ++j;
    std::size_t k = j;
    while (k < n && is_digit(text[k])) ++k;
    if (k > j) end = k;
  }
  std::string number(text.substr(start, end - start));
  if (number.front() == '.') number.insert(0, "0");
  double value = 0;
  auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (ec == std::errc::result_out_of_range) {
    // Too large gives infinity, too small 0, like a hand calculator would.
    std::size_t e = number.find_first_of("eE");
    bool large = e != std::string::npos && number[e + 1] != '-';
    value = large ? std::numeric_limits<double>::infinity() : 0.0;
  }
  return negative ? -value : value;
}

std::string str(double value) {
  if (value == 0) return " 0";  // also -0
  if (value < 0) return "-" + shortest_fixed(-value);
  return " " + shortest_fixed(value);
}

std::string str_trimmed(double value) {
  std::string text = str(value);
  return text.front() == ' ' ? text.substr(1) : text;
}

std::string format(double value, std::string_view pattern) {
  const bool negative = value < 0;
  const std::string decimal = shortest_fixed(std::fabs(value));
  const std::size_t point = decimal.find('.');
  std::string int_digits = decimal.substr(0, point);
  std::string frac_digits = point == std::string::npos ? "" : decimal.substr(point + 1);

  const std::size_t pattern_point = pattern.find('.');
  std::string_view int_pattern = pattern.substr(0, pattern_point);
  std::string_view frac_pattern = pattern_point == std::string_view::npos
                                      ? std::string_view{}
                                      : pattern.substr(pattern_point + 1);
  std::size_t places = 0;
  for (char c : frac_pattern) places += is_placeholder(c) ? 1 : 0;

  // Half away from zero at the last place: the first dropped digit decides.
  bool round_up = frac_digits.size() > places && frac_digits[places] >= '5';
  frac_digits.resize(places, '0');
  if (round_up && increment_digits(frac_digits) && increment_digits(int_digits)) {
    int_digits.insert(int_digits.begin(), '1');
  }

  std::size_t first_nonzero = int_digits.find_first_not_of('0');
  int_digits = first_nonzero == std::string::npos ? "" : int_digits.substr(first_nonzero);
  const bool is_zero =
      int_digits.empty() && frac_digits.find_first_not_of('0') == std::string::npos;

  std::string out = (negative && !is_zero) ? "-" : "";
  out += format_integer_part(int_pattern, int_digits);
  if (pattern_point != std::string_view::npos) {
    out += '.';
    out += format_fraction_part(frac_pattern, frac_digits);
  }
  return out;
}

std::string str_round_trip(double value) {
  char buffer[64];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
  return ec == std::errc() ? std::string(buffer, end) : "0";
}

std::int32_t round_to_i32(double value) {
  if (std::isnan(value)) return 0;
  if (value >= 2147483647.0) return std::numeric_limits<std::int32_t>::max();
  if (value <= -2147483648.0) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(std::nearbyint(value));
}

std::int32_t clamp_to_i32(std::int64_t value) {
  if (value > std::numeric_limits<std::int32_t>::max())
    return std::numeric_limits<std::int32_t>::max();
  if (value < std::numeric_limits<std::int32_t>::min())
    return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(value);
}

double floor_half_up(double value) {
  return std::floor(value + 0.5);
}

std::string zone_number(double value) {
  return str(value) + " ";
}

std::string print_zones(const std::vector<std::string>& fields) {
  constexpr std::size_t kZone = 14;
  std::string line;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) line.resize((line.size() / kZone + 1) * kZone, ' ');
    line += fields[i];
  }
  return line;
}

}  // namespace orvane::core
