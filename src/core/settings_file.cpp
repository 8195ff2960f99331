#include "core/settings_file.h"

#include <algorithm>
#include <string_view>
#include <utility>
#include <vector>

#include "core/number_text.h"
#include "core/text_file.h"

namespace orvane::core {
namespace {

constexpr int kBeepLine = 5;
constexpr int kFirstPositionLine = 6;
constexpr int kWavelengthLine = 21;
constexpr std::string_view kWavelengthPattern = "####.###";

bool is_blank(char c) {
  return c == ' ' || c == '\t';
}
bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

// The two fields of a line holding two numbers: separated by a run of blanks or by a comma
// with blanks around it. A missing field is empty.
std::pair<std::string_view, std::string_view> two_fields(std::string_view line) {
  std::size_t i = 0;
  const std::size_t n = line.size();
  while (i < n && is_blank(line[i])) ++i;
  std::size_t start = i;
  while (i < n && !is_blank(line[i]) && line[i] != ',') ++i;
  std::string_view first = line.substr(start, i - start);
  while (i < n && is_blank(line[i])) ++i;
  if (i < n && line[i] == ',') ++i;
  while (i < n && is_blank(line[i])) ++i;
  start = i;
  while (i < n && !is_blank(line[i]) && line[i] != ',') ++i;
  return {first, line.substr(start, i - start)};
}

// True when the field begins with a number val() would read (a sign, then a digit or a point
// and a digit).
bool starts_with_number(std::string_view field) {
  std::size_t i = 0;
  if (i < field.size() && (field[i] == '+' || field[i] == '-')) ++i;
  if (i < field.size() && is_digit(field[i])) return true;
  return i + 1 < field.size() && field[i] == '.' && is_digit(field[i + 1]);
}

std::optional<WindowPosition> parse_position(std::string_view line) {
  auto [left, top] = two_fields(line);
  if (!starts_with_number(left) && !starts_with_number(top)) return std::nullopt;
  return WindowPosition{round_to_i32(val(left)), round_to_i32(val(top))};
}

std::string position_line(WindowPosition position) {
  return print_zones({zone_number(position.left), zone_number(position.top)});
}

std::string wavelength_line(double start, double end) {
  return print_zones({format(start, kWavelengthPattern), format(end, kWavelengthPattern)});
}

}  // namespace

SettingsFile::SettingsFile() {
  lines_[kBeepLine - 1] = zone_number(0);
  lines_[kWavelengthLine - 1] = wavelength_line(0, 0);
}

SettingsFile SettingsFile::read(const std::string& path) {
  SettingsFile settings;
  // A missing or unreadable file is a first run: the defaults stand, and the file is made at
  // shutdown.
  Result<std::vector<std::string>> read = read_text_lines(path);
  if (!read) return settings;
  const std::size_t count = std::min<std::size_t>(read->size(), kLineCount);
  for (std::size_t i = 0; i < count; ++i) settings.lines_[i] = std::move((*read)[i]);

  // Lines the file lacks hold their defaults, which read back as the default values.
  settings.beep_on_ = val(settings.line(kBeepLine)) == 1;
  for (int i = 0; i < kSettingsWindowCount; ++i) {
    settings.positions_[i] = parse_position(settings.line(kFirstPositionLine + i));
  }
  auto [start, end] = two_fields(settings.line(kWavelengthLine));
  settings.wavelengths_ = {val(start), val(end)};
  return settings;
}

Status SettingsFile::write(const std::string& path) const {
  return write_file_atomically(path, join_crlf({lines_.begin(), lines_.end()}));
}

void SettingsFile::set_observer_line(int index, std::string text) {
  if (index < 0 || index >= 4) return;
  // A line break would shift every later line of the file.
  std::replace(text.begin(), text.end(), '\r', ' ');
  std::replace(text.begin(), text.end(), '\n', ' ');
  lines_[index] = std::move(text);
}

// The setters leave a line as it was read when its value does not change, so the file is
// rewritten only where something moved.
void SettingsFile::set_beep_on(bool on) {
  if (on == beep_on_) return;
  beep_on_ = on;
  lines_[kBeepLine - 1] = zone_number(on ? 1 : 0);
}

std::optional<WindowPosition> SettingsFile::position(SettingsWindow window) const {
  return positions_[static_cast<int>(window)];
}

void SettingsFile::set_position(SettingsWindow window, WindowPosition position) {
  const int index = static_cast<int>(window);
  if (positions_[index] == position) return;
  positions_[index] = position;
  lines_[kFirstPositionLine - 1 + index] = position_line(position);
}

void SettingsFile::set_wavelengths(double start, double end) {
  if (wavelengths_[0] == start && wavelengths_[1] == end) return;
  wavelengths_ = {start, end};
  lines_[kWavelengthLine - 1] = wavelength_line(start, end);
}

}  // namespace orvane::core
