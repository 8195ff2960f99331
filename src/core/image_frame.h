#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <utility>

#include "core/pixel_store.h"

namespace orvane::core {

// The one image the program works on, with its header and read-time settings.
struct ImageFrame {
  static constexpr int kMaxSide = PixelStore::kSide;  // 5501 pixels in each direction
  static constexpr int kHeaderSlots = 500;            // header cards 1..500; slot 0 unused

  PixelStore pixels;
  PixelStore undo_pixels;
  // True while undo_pixels holds a copy that "UnDo" may bring back.
  bool undo_available = false;

  int width = 0;    // NAXIS1
  int height = 0;   // NAXIS2
  int planes = -1;  // NAXIS3, -1 when absent
  int bitpix = -1;  // absolute BITPIX: 8, 16 or 32 after a read
  int is_float = 0;
  double bzero = 0;
  double bscale = 1;
  std::array<std::string, kHeaderSlots + 1> header_cards;
  int header_card_count = 0;
  std::string file_path;
  std::int32_t max_value = 0;
  std::int32_t min_value = 0;

  // Read-time settings applied by fits_read to every pixel.
  int sign_mode = 1;       // +1 "Non Sign Integer" on, -1 off
  int read_calc_mode = 0;  // 0 add, otherwise multiply
  double read_calc_operand = 0;
  bool dusky_mode = false;  // values of 60000 and more never become max_value

  bool has_image() const { return width > 0 && height > 0; }
};

// The main window's statistics line, e.g. "max 4095 / min 12 / ave 803": the stored extremes
// and the average of the width x height pixels rounded halves up.
std::string statistics_show(const ImageFrame& frame);

// The largest and smallest pixel over width x height, leaving out zeros: the extremes that Undo
// and the steps rebuilding the frame store. (-1, 2147483647) when every pixel is 0.
std::pair<std::int32_t, std::int32_t> extremes_without_zeros(const ImageFrame& frame);

// Copies the whole pixel matrix into the undo copy and makes "UnDo" available.
void undo_take(ImageFrame& frame);

struct UndoOutcome {
  std::int32_t max_value;
  std::int32_t min_value;
  std::string statistics;
};

// Brings back the undo copy (the whole matrix), recomputes the extremes over width x height
// leaving out zero pixels, and makes "UnDo" unavailable until the next undo_take.
UndoOutcome undo_restore(ImageFrame& frame);

}  // namespace orvane::core
