#include "processing/bow_correction.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <optional>
#include <tuple>

#include "core/number_text.h"
#include "core/text_file.h"
#include "core/vector_clones.h"

namespace orvane::processing {
namespace {

std::string_view trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// A whole field as a finite number; none when anything else is in it.
std::optional<double> field_number(std::string_view field) {
  field = trimmed(field);
  if (!field.empty() && field.front() == '+') field.remove_prefix(1);
  double value = 0;
  const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
  if (field.empty() || error != std::errc() || end != field.data() + field.size() ||
      !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

// The interpolated row: u(0) = t(0), u(x) = floor(t(x) - f (t(x) - t(x-1)) + 0.5). The result
// lies between two 32-bit values, so it always fits.
ORVANE_VECTOR_CLONES void interpolate(const std::int32_t* t, std::int32_t* u, int width, double f) {
  u[0] = t[0];
  for (int x = 1; x < width; ++x) {
    const double here = t[x];
    u[x] = static_cast<std::int32_t>(std::floor(here - f * (here - double(t[x - 1])) + 0.5));
  }
}

// Row `row` moved n columns (positive: right) out of u; the uncovered columns take u's values
// at the same place, as the in-place move leaves them.
void move_row(std::int32_t* row, const std::int32_t* u, int width, long long n) {
  const auto bytes = [](long long count) { return std::size_t(count) * sizeof(std::int32_t); };
  if (n >= width || -n >= width || n == 0) {
    std::memcpy(row, u, bytes(width));
  } else if (n > 0) {
    std::memcpy(row, u, bytes(n));
    std::memcpy(row + n, u, bytes(width - n));
  } else {
    std::memcpy(row, u - n, bytes(width + n));
    std::memcpy(row + width + n, u + width + n, bytes(-n));
  }
}

core::Result<BowShifts> parse_lines(const std::vector<std::string>& lines,
                                    const std::string& path) {
  BowShifts shifts(std::size_t(core::ImageFrame::kMaxSide), 0.0);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string_view line = lines[i];
    if (trimmed(line).empty()) continue;
    const std::string where = path + ": line " + core::str_trimmed(double(i + 1)) + " ";
    const auto comma = line.find(',');
    const auto row = field_number(line.substr(0, comma));
    const auto shift =
        comma == std::string_view::npos ? std::nullopt : field_number(line.substr(comma + 1));
    if (!row || !shift) {
      return core::Error{where + "is not a row and a shift (two numbers): \"" + lines[i] + "\""};
    }
    if (*row != std::floor(*row) || *row < 0 || *row > core::ImageFrame::kMaxSide - 1) {
      return core::Error{where + "names row" + core::str(*row) + ", which is not a row 0 to 5500"};
    }
    shifts[std::size_t(*row)] = *shift;
  }
  return shifts;
}

}  // namespace

core::Result<BowShifts> parse_bow_table(std::string_view text, const std::string& path) {
  return parse_lines(core::split_lines(text), path);
}

core::Result<BowShifts> read_bow_table(const std::string& path) {
  auto lines = core::read_text_lines(path);
  if (!lines) return core::Error{lines.error()};
  return parse_lines(*lines, path);
}

void bow_correct(core::ImageFrame& frame, const BowShifts& shifts) {
  const int width = std::clamp(frame.width, 0, core::ImageFrame::kMaxSide);
  const int height = std::clamp(frame.height, 0, core::ImageFrame::kMaxSide);
  std::vector<std::int32_t> buffer(std::size_t(width) + 1);
  for (int y = 0; y < height && width > 0; ++y) {
    const double s = y < int(shifts.size()) ? shifts[std::size_t(y)] : 0.0;
    if (s == 0) continue;
    std::int32_t* row = frame.pixels.row(y);
    const double whole = std::floor(s);
    const double f = s - whole;
    if (f == 0) {
      std::memcpy(buffer.data(), row, std::size_t(width) * sizeof(std::int32_t));
    } else {
      interpolate(row, buffer.data(), width, f);
    }
    // Shifts beyond the row move everything out of it: limited so the count stays exact.
    move_row(row, buffer.data(), width, static_cast<long long>(std::clamp(whole, -1e9, 1e9)));
  }
  std::tie(frame.max_value, frame.min_value) = core::extremes_without_zeros(frame);
}

}  // namespace orvane::processing
