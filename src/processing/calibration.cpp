#include "processing/calibration.h"

#include <algorithm>
#include <cmath>

#include "core/number_text.h"
#include "core/vector_clones.h"

namespace orvane::processing {
namespace {

// Adding and taking away 1.5 * 2^52 leaves a double of magnitude below 2^51 rounded to the
// nearest whole number, halves to even, in a form that vectorises.
constexpr double kRoundShift = 6755399441055744.0;

// A computed value as a non-negative 32-bit pixel: 0 for anything not above 0, 2147483647 for
// anything from there up, else rounded halves to even. The same as max(round_to_i32(t), 0) for
// every t that is not NaN, without branches.
std::int32_t non_negative_pixel(double t) {
  const double limited = std::min(std::max(t, 0.0), 2147483647.0);
  return static_cast<std::int32_t>((limited + kRoundShift) - kRoundShift);
}

struct RowExtremes {
  std::int32_t max_value;
  std::int32_t min_value;
};

ORVANE_VECTOR_CLONES void subtract_row(std::int32_t* __restrict row,
                                       const std::int32_t* __restrict subtrahend, int width,
                                       RowExtremes& e) {
  std::int32_t max_value = e.max_value, min_value = e.min_value;
  for (int x = 0; x < width; ++x) {
    // The reference is never negative, so the difference cannot exceed the pixel; it is formed
    // in 64 bits so that it cannot overflow below.
    const std::int64_t v = std::max<std::int64_t>(std::int64_t{row[x]} - subtrahend[x], 0);
    row[x] = static_cast<std::int32_t>(v);
    max_value = std::max(max_value, row[x]);
    min_value = std::min(min_value, row[x]);
  }
  e = {max_value, min_value};
}

ORVANE_VECTOR_CLONES void divide_row(std::int32_t* __restrict row,
                                     const std::int32_t* __restrict divisor, int width,
                                     double level, RowExtremes& e) {
  std::int32_t max_value = e.max_value, min_value = e.min_value;
  for (int x = 0; x < width; ++x) {
    // Multiplied by the mean first, then divided, as the continuous step always has; a result
    // beyond the 32-bit range is limited like the single step's.
    row[x] = non_negative_pixel(row[x] * level / divisor[x]);
    max_value = std::max(max_value, row[x]);
    min_value = std::min(min_value, row[x]);
  }
  e = {max_value, min_value};
}

std::string size_text(int width, int height) {
  return core::str_trimmed(width) + " x " + core::str_trimmed(height);
}

core::Status check_frame(const core::ImageFrame& frame) {
  if (frame.has_image() && frame.width <= core::ImageFrame::kMaxSide &&
      frame.height <= core::ImageFrame::kMaxSide) {
    return core::ok_status();
  }
  return core::Error{"There is no image to correct: no FITS file has been read."};
}

core::Status check_same_size(const std::string& path, const core::FitsImage& reference,
                             const core::ImageFrame& frame) {
  if (reference.width == frame.width && reference.height == frame.height) {
    return core::ok_status();
  }
  return core::Error{path + ": the reference is " + size_text(reference.width, reference.height) +
                     ", the image " + size_text(frame.width, frame.height) +
                     "; both must be the same size"};
}

// Reads a reference for a single step: the frame's "Non Sign Integer" setting, no read-time
// calculation, and the frame's size.
core::Result<core::FitsImage> read_for_frame(const std::string& path,
                                             const core::ImageFrame& frame) {
  core::ReadOptions options;
  options.sign_mode = frame.sign_mode;
  core::FitsImage image;
  core::Result<core::ReadReport> read = core::fits_read_image(image, path, options);
  if (!read) return core::Error{read.error()};
  if (core::Status s = check_same_size(path, image, frame); !s) return core::Error{s.error()};
  return image;
}

void track(ResultExtremes& e, std::int32_t v) {
  e.max_value = std::max(e.max_value, v);
  e.min_value = std::min(e.min_value, v);
}

void store_extremes(core::ImageFrame& frame, const ResultExtremes& e) {
  frame.max_value = e.max_value;
  frame.min_value = e.min_value;
}

// Values below 0 become 0; returns their sum (exact in 64 bits).
std::int64_t clamp_negative_and_sum(core::FitsImage& image) {
  std::int64_t sum = 0;
  for (std::int32_t& v : image.pixels) {
    v = std::max(v, 0);
    sum += v;
  }
  return sum;
}

double mean_level(std::int64_t sum, int width, int height) {
  return static_cast<double>(sum) / (static_cast<double>(width) * height);
}

}  // namespace

core::Status dark_subtract(core::ImageFrame& frame, const std::string& dark_path,
                           bool keep_negative) {
  if (core::Status s = check_frame(frame); !s) return s;
  core::Result<core::FitsImage> dark = read_for_frame(dark_path, frame);
  if (!dark) return core::Error{dark.error()};
  ResultExtremes extremes;
  for (int y = 0; y < frame.height; ++y) {
    std::int32_t* row = frame.pixels.row(y);
    const std::int32_t* subtrahend = dark->row(y);
    for (int x = 0; x < frame.width; ++x) {
      std::int64_t v = std::int64_t{row[x]} - subtrahend[x];
      if (!keep_negative) v = std::max<std::int64_t>(v, 0);
      row[x] = core::clamp_to_i32(v);
      track(extremes, row[x]);
    }
  }
  store_extremes(frame, extremes);
  return core::ok_status();
}

core::Status flat_field(core::ImageFrame& frame, const std::string& flat_path) {
  if (core::Status s = check_frame(frame); !s) return s;
  core::Result<core::FitsImage> flat = read_for_frame(flat_path, frame);
  if (!flat) return core::Error{flat.error()};
  const double level = mean_level(clamp_negative_and_sum(*flat), frame.width, frame.height);
  ResultExtremes extremes;
  for (int y = 0; y < frame.height; ++y) {
    std::int32_t* row = frame.pixels.row(y);
    const std::int32_t* divisor = flat->row(y);
    for (int x = 0; x < frame.width; ++x) {
      const double f = std::max(divisor[x], 1);
      // Divided first, then multiplied by the mean, as this step always has.
      row[x] = non_negative_pixel(row[x] / f * level);
      track(extremes, row[x]);
    }
  }
  store_extremes(frame, extremes);
  return core::ok_status();
}

core::Result<Reference> load_reference(const std::string& path, ReferenceKind kind, int sign_mode) {
  core::ReadOptions options;
  options.sign_mode = sign_mode;
  Reference reference;
  core::Result<core::ReadReport> read = core::fits_read_image(reference.image, path, options);
  if (!read) return core::Error{read.error()};
  core::FitsImage& image = reference.image;
  const std::int64_t sum = clamp_negative_and_sum(image);
  if (kind == ReferenceKind::kFlat) {
    reference.level = mean_level(sum, image.width, image.height);
    for (std::int32_t& v : image.pixels) v = std::max(v, 1);
  }
  return reference;
}

ResultExtremes subtract_reference(core::FitsImage& image, const Reference& dark) {
  RowExtremes e{-1, 2147483647};
  for (int y = 0; y < image.height; ++y) {
    subtract_row(image.pixels.data() + std::size_t(image.width) * y, dark.image.row(y), image.width,
                 e);
  }
  image.max_value = e.max_value;
  image.min_value = e.min_value;
  return {e.max_value, e.min_value};
}

ResultExtremes divide_by_reference(core::FitsImage& image, const Reference& flat) {
  RowExtremes e{-1, 2147483647};
  for (int y = 0; y < image.height; ++y) {
    divide_row(image.pixels.data() + std::size_t(image.width) * y, flat.image.row(y), image.width,
               flat.level, e);
  }
  image.max_value = e.max_value;
  image.min_value = e.min_value;
  return {e.max_value, e.min_value};
}

}  // namespace orvane::processing
