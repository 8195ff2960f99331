#include "core/image_frame.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <mutex>

#include "core/number_text.h"
#include "core/row_bands.h"
#include "core/vector_clones.h"

namespace orvane::core {
namespace {

// Width and height limited to the store, so a frame whose sizes were never set (or set wrongly)
// is never indexed outside 0..5500.
int usable_side(int side) {
  return std::clamp(side, 0, PixelStore::kSide);
}

// The statistics line from the extremes and the sum of the width x height pixels, the average
// rounded halves up.
std::string statistics_text(std::int32_t max_value, std::int32_t min_value, std::int64_t sum,
                            int width, int height) {
  double average = 0;
  if (width > 0 && height > 0) {
    average = floor_half_up(static_cast<double>(sum) / (static_cast<double>(width) * height));
  }
  return "max" + str(max_value) + " / min" + str(min_value) + " / ave" + str(average);
}

// Extremes of a row leaving out zeros, folded into max_value and min_value, and the row's sum;
// with `copy` the row is also copied there on the way, so Undo reads each pixel once. Zero
// pixels are masked into values that can never win, which keeps the loop free of branches so it
// vectorises.
ORVANE_VECTOR_CLONES std::int64_t fold_row(const std::int32_t* __restrict row, int width,
                                           std::int32_t& max_value, std::int32_t& min_value,
                                           std::int32_t* __restrict copy = nullptr) {
  constexpr std::int32_t kLowest = std::numeric_limits<std::int32_t>::min();
  constexpr std::int32_t kHighest = std::numeric_limits<std::int32_t>::max();
  std::int32_t high = max_value, low = min_value;
  std::int64_t sum = 0;
  for (int x = 0; x < width; ++x) {
    const std::int32_t v = row[x];
    if (copy != nullptr) copy[x] = v;
    const std::int32_t zero_mask = -static_cast<std::int32_t>(v == 0);
    high = std::max(high, v | (zero_mask & kLowest));
    low = std::min(low, v | (zero_mask & kHighest));
    sum += v;
  }
  max_value = high, min_value = low;
  return sum;
}

}  // namespace

std::pair<std::int32_t, std::int32_t> extremes_without_zeros(const ImageFrame& frame) {
  const int width = usable_side(frame.width);
  const int height = usable_side(frame.height);
  std::int32_t max_value = -1;
  std::int32_t min_value = std::numeric_limits<std::int32_t>::max();
  std::mutex merging;
  for_each_row_band(height, std::int64_t{width} * height, [&](int first, int end) {
    std::int32_t high = -1, low = std::numeric_limits<std::int32_t>::max();
    for (int y = first; y < end; ++y) fold_row(frame.pixels.row(y), width, high, low);
    const std::lock_guard<std::mutex> lock(merging);
    max_value = std::max(max_value, high), min_value = std::min(min_value, low);
  });
  return {max_value, min_value};
}

std::string statistics_show(const ImageFrame& frame) {
  const int width = usable_side(frame.width);
  const int height = usable_side(frame.height);
  // Summed exactly in 64 bits (5501 x 5501 values of at most 2^31 stay below 2^63): the same as
  // a double sum whenever that one is exact, and no digits lost on large images.
  std::int64_t sum = 0;
  for (int y = 0; y < height; ++y) {
    const std::int32_t* row = frame.pixels.row(y);
    std::int64_t row_sum = 0;
    for (int x = 0; x < width; ++x) row_sum += row[x];
    sum += row_sum;
  }
  return statistics_text(frame.max_value, frame.min_value, sum, width, height);
}

void undo_take(ImageFrame& frame) {
  std::memcpy(frame.undo_pixels.data(), frame.pixels.data(),
              PixelStore::kElements * sizeof(std::int32_t));
  frame.undo_available = true;
}

UndoOutcome undo_restore(ImageFrame& frame) {
  constexpr std::size_t kSide = PixelStore::kSide;
  const int width = usable_side(frame.width);
  const int height = usable_side(frame.height);
  const std::int32_t* from = frame.undo_pixels.data();
  std::int32_t* to = frame.pixels.data();

  // The whole store comes back. The image's rows are copied while their extremes and sum are
  // taken, so the pixels are read only once; everything else is copied as it is.
  std::int32_t max_value = -1;
  std::int32_t min_value = std::numeric_limits<std::int32_t>::max();
  std::int64_t sum = 0;
  for (int y = 0; y < height; ++y) {
    const std::int32_t* source = from + kSide * y;
    std::int32_t* target = to + kSide * y;
    sum += fold_row(source, width, max_value, min_value, target);
    std::memcpy(target + width, source + width, (kSide - width) * sizeof(std::int32_t));
  }
  std::memcpy(to + kSide * height, from + kSide * height,
              (PixelStore::kElements - kSide * height) * sizeof(std::int32_t));

  frame.max_value = max_value;
  frame.min_value = min_value;
  frame.undo_available = false;
  return UndoOutcome{max_value, min_value,
                     statistics_text(max_value, min_value, sum, width, height)};
}

}  // namespace orvane::core
