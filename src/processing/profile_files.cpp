#include "processing/profile_files.h"

#include "core/derived_names.h"
#include "core/number_text.h"
#include "core/text_file.h"

namespace orvane::processing {

std::string profile_text(const core::ImageFrame& frame, int row, const ProfileAxis& axis,
                         int sign) {
  const int width = std::min(frame.width, core::ImageFrame::kMaxSide);
  const double dispersion = width > 1 ? (axis.end - axis.start) / (width - 1) : 0.0;
  const std::int32_t* values = frame.pixels.row(row);
  std::string text;
  text.reserve(std::size_t(std::max(width, 0)) * 30);
  for (int x = 0; x < width; ++x) {
    const std::string first = axis.wavelength
                                  ? core::format(axis.start + x * dispersion, "####.### ")
                                  : core::zone_number(x);
    text += core::print_zones({first, core::zone_number(double(sign) * values[x])});
    text += "\r\n";
  }
  return text;
}

core::Status write_profile_files(const core::ImageFrame& frame, int row, const std::string& name,
                                 const ProfileAxis& axis) {
  if (row < 0 || row >= std::min(frame.height, core::ImageFrame::kMaxSide)) {
    return core::Error{name + ": row" + core::str(row) + " lies outside the frame"};
  }
  const struct {
    std::string path;
    int sign;
  } files[] = {
      {name, 1}, {core::derived_name(name, ".djm"), -1}, {core::derived_name(name, "-inv.djm"), 1}};
  for (const auto& file : files) {
    core::Status written =
        core::write_file_atomically(file.path, profile_text(frame, row, axis, file.sign));
    if (!written) return written;
  }
  return core::ok_status();
}

}  // namespace orvane::processing
