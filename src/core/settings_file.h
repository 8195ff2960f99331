#pragma once

#include <array>
#include <optional>
#include <string>

#include "core/result.h"

namespace orvane::core {

// Left and top of a window in twips.
struct WindowPosition {
  int left = 0;
  int top = 0;
  bool operator==(const WindowPosition&) const = default;
};

// The windows whose positions orvane.ini keeps, in the order of its lines 6..20.
enum class SettingsWindow {
  kForm1,
  kForm2,
  kForm3,
  kForm4,
  kForm6,
  kForm7,
  kForm9,
  kForm12,
  kForm13,
  kForm15,
  kForm16,
  kForm17,
  kForm20,
  kForm21,
  kForm22
};
inline constexpr int kSettingsWindowCount = 15;

// orvane.ini: observer details, the beep switch, window positions and two wavelength values.
// What was read is kept as it was read, so lines nobody changed are written back unchanged.
class SettingsFile {
 public:
  static constexpr int kLineCount = 21;

  // The defaults of a first run: empty observer lines, beep off, no stored positions,
  // wavelengths 0.
  SettingsFile();

  // Reads path tolerantly: a missing or short file leaves the defaults for the lines it lacks.
  static SettingsFile read(const std::string& path);

  // Writes all 21 lines (CR LF) to path, replacing it atomically.
  Status write(const std::string& path) const;

  // Observer lines 1-4: code, band or colour, observer and place, instruments.
  const std::string& observer_line(int index) const { return lines_[index]; }
  void set_observer_line(int index, std::string text);

  bool beep_on() const { return beep_on_; }
  void set_beep_on(bool on);

  // A window's stored position; empty when the file held none for it.
  std::optional<WindowPosition> position(SettingsWindow window) const;
  void set_position(SettingsWindow window, WindowPosition position);

  // Line 21, the two wavelength-axis values of the intensity curve window.
  double wavelength_start() const { return wavelengths_[0]; }
  double wavelength_end() const { return wavelengths_[1]; }
  void set_wavelengths(double start, double end);

  // The text of line n (1..21) as it will be written.
  const std::string& line(int n) const { return lines_[n - 1]; }

 private:
  std::array<std::string, kLineCount> lines_{};
  bool beep_on_ = false;
  std::array<std::optional<WindowPosition>, kSettingsWindowCount> positions_{};
  std::array<double, 2> wavelengths_{0, 0};
};

}  // namespace orvane::core
