#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/fits_reader.h"
#include "core/image_frame.h"
#include "support/fits_builder.h"

namespace orvane::test {

using Pixels = std::vector<std::int32_t>;

// A BITPIX 16 file without BZERO (words read unsigned), width x height values row after row;
// `comments` comment cards make the header longer (36 or more give a second header block).
inline std::string write_fits16(const std::string& path, int width, int height,
                                const std::vector<int>& values, int comments = 0) {
  FitsBuilder b = FitsBuilder::image(16, width, height);
  for (int i = 0; i < comments; ++i) b.add_raw("COMMENT filler");
  return b.end().u16(values).pad().write(path);
}

inline std::string write_fits32(const std::string& path, int width, int height,
                                const std::vector<std::int64_t>& values) {
  return FitsBuilder::image(32, width, height).end().i32(values).pad().write(path);
}

// The width x height values of a file as the program's reader gives them.
inline Pixels pixels_of(const std::string& path) {
  auto frame = std::make_unique<core::ImageFrame>();
  if (!core::fits_read(*frame, path).ok()) return {-999};
  Pixels values;
  for (int y = 0; y < frame->height; ++y) {
    for (int x = 0; x < frame->width; ++x) values.push_back(frame->pixels.at(x, y));
  }
  return values;
}

inline std::size_t entry_count(const std::filesystem::path& folder) {
  std::size_t n = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) ++n;
  return n;
}

}  // namespace orvane::test
