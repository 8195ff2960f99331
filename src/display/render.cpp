#include "display/render.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "core/number_text.h"
#include "core/row_bands.h"
#include "display/grey_level.h"

namespace orvane::display {

namespace {

using orvane::core::ImageFrame;

constexpr int kLastIndex = ImageFrame::kMaxSide - 1;  // highest store index, 5500

// The table in plain locals: the picture is written through a std::uint32_t pointer, which
// the compiler must otherwise assume could change the table's own fields.
struct TableView {
  const std::uint32_t* colours;
  std::uint32_t low;
  std::uint32_t span;
};

// Colours of grey_level for every value from min_value to max_value, so that drawing a large
// frame costs one look-up per pixel instead of a division. Values outside that span (stale
// pixels, values a dusky reading left out of max_value) take the formula itself, so the picture
// is exactly the formula's. The table is only built when it is no larger than the number of
// pixels to draw (and at most 4M entries): otherwise the formula is as cheap.
class GreyTable {
 public:
  GreyTable(const ImageFrame& frame, const DisplayState& state, std::int64_t pixels_to_draw)
      : range_(state.range), background_(state.background), low_(frame.min_value) {
    constexpr std::int64_t kMaxEntries = std::int64_t{1} << 22;
    const std::int64_t span = std::int64_t{frame.max_value} - frame.min_value;
    if (span < 0 || span + 1 > kMaxEntries || span + 1 > pixels_to_draw) return;
    span_ = std::uint32_t(span);
    colours_.resize(std::size_t(span) + 1);
    for (std::int64_t i = 0; i <= span; ++i)
      colours_[std::size_t(i)] = grey(grey_level(std::int32_t(low_ + i), range_, background_));
  }

  bool empty() const { return colours_.empty(); }
  TableView view() const { return {colours_.data(), std::uint32_t(low_), span_}; }

  std::uint32_t operator()(std::int32_t v) const {
    // Unsigned wrap-around: the offset is at most span_ exactly when low_ <= v <= low_ + span_.
    const std::uint32_t o = std::uint32_t(v) - std::uint32_t(low_);
    if (!empty() && o <= span_) return colours_[o];
    return formula(v);
  }
  std::uint32_t formula(std::int32_t v) const { return grey(grey_level(v, range_, background_)); }

 private:
  std::int32_t range_;
  std::int32_t background_;
  std::int32_t low_;
  std::uint32_t span_ = 0;
  std::vector<std::uint32_t> colours_;
};

// Display rows are drawn eight at a time: the 5501-wide store leaves a gap after every frame
// row, and reading several rows side by side keeps the memory busy where reading one row after
// another would wait at the start of each. The unrolled inner loop only looks up the table,
// free of calls; a block of 8 x 4 pixels holding a value outside the table is drawn again
// pixel by pixel. `source_x` gives the frame column of each display column; at scale 1
// (`kEveryColumn`) it is the display column itself.
template <bool kEveryColumn>
void draw_rows(const ImageFrame& frame, const GreyTable& colour_of,
               const std::vector<int>& source_x, const std::vector<int>& source_y,
               RgbImage& picture, int first_row, int end_row) {
  constexpr int kRowsAtOnce = 8;
  const int width = picture.width;
  const auto column = [&](int dx) { return kEveryColumn ? dx : source_x[dx]; };
  int dy = first_row;
  if (!colour_of.empty()) {
    const TableView table = colour_of.view();
    for (; dy + kRowsAtOnce <= end_row; dy += kRowsAtOnce) {
      const std::int32_t* in[kRowsAtOnce];
      std::uint32_t* out[kRowsAtOnce];
      for (int j = 0; j < kRowsAtOnce; ++j) {
        in[j] = frame.pixels.row(source_y[dy + j]);
        out[j] = picture.pixels.data() + std::size_t(dy + j) * width;
      }
      int dx = 0;
      for (; dx + 4 <= width; dx += 4) {
        bool outside = false;
#pragma GCC unroll 8
        for (int j = 0; j < kRowsAtOnce; ++j) {
          std::uint32_t offsets[4];
          bool in_table = true;
          for (int k = 0; k < 4; ++k) {
            offsets[k] = std::uint32_t(in[j][column(dx + k)]) - table.low;
            in_table &= offsets[k] <= table.span;
          }
          if (in_table) {
            std::uint32_t colours[4];  // written with one 16-byte store
            for (int k = 0; k < 4; ++k) colours[k] = table.colours[offsets[k]];
            std::memcpy(out[j] + dx, colours, sizeof colours);
          } else {
            outside = true;
          }
        }
        if (outside) {
          for (int j = 0; j < kRowsAtOnce; ++j)
            for (int k = 0; k < 4; ++k) out[j][dx + k] = colour_of(in[j][column(dx + k)]);
        }
      }
      for (; dx < width; ++dx) {
        for (int j = 0; j < kRowsAtOnce; ++j) out[j][dx] = colour_of(in[j][column(dx)]);
      }
    }
  }
  for (; dy < end_row; ++dy) {
    const std::int32_t* in = frame.pixels.row(source_y[dy]);
    std::uint32_t* out = picture.pixels.data() + std::size_t(dy) * width;
    for (int dx = 0; dx < width; ++dx) out[dx] = colour_of(in[column(dx)]);
  }
}

int scale_of(const DisplayState& state) {
  return std::max(state.display_scale, 1);
}

}  // namespace

int display_extent(int frame_extent, int scale) {
  if (frame_extent <= 0) return 0;
  scale = std::max(scale, 1);
  return int((std::int64_t{frame_extent} + scale - 1) / scale);
}

int frame_to_display(double v, int scale) {
  return orvane::core::round_to_i32(std::floor(v / std::max(scale, 1) + 0.5));
}

RgbImage render(const ImageFrame& frame, DisplayState& state) {
  RgbImage picture;
  render(frame, state, picture);
  return picture;
}

void render(const ImageFrame& frame, DisplayState& state, RgbImage& picture) {
  const int s = scale_of(state);
  const int w = std::min(frame.width, ImageFrame::kMaxSide);
  const int h = std::min(frame.height, ImageFrame::kMaxSide);
  picture.width = display_extent(w, s);
  picture.height = display_extent(h, s);
  // Every element is written below, so keeping the old contents of a reused picture is fine.
  picture.pixels.resize(std::size_t(picture.width) * std::size_t(picture.height));
  if (picture.width > 0 && picture.height > 0) {
    const GreyTable colour_of(frame, state, std::int64_t{picture.width} * picture.height);
    // Drawing every frame pixel in row order leaves in each display pixel the last pixel of
    // its block (or the last existing one at the right and bottom edges): read just that one.
    std::vector<int> source_x(std::size_t(picture.width));
    for (int dx = 0; dx < picture.width; ++dx) source_x[dx] = std::min(s * dx + s - 1, w - 1);
    std::vector<int> source_y(std::size_t(picture.height));
    for (int dy = 0; dy < picture.height; ++dy) source_y[dy] = std::min(s * dy + s - 1, h - 1);
    core::for_each_row_band(
        picture.height, std::int64_t{picture.width} * picture.height,
        [&](int first_row, int end_row) {
          if (s == 1) {
            draw_rows<true>(frame, colour_of, source_x, source_y, picture, first_row, end_row);
          } else {
            draw_rows<false>(frame, colour_of, source_x, source_y, picture, first_row, end_row);
          }
        });
  }
  if (state.line_mode == 1) {
    state.line_row = frame.height >= 0 ? frame.height / 2 : (frame.height - 1) / 2;
    draw_profile_line(picture, frame.width, state.line_row, s);
  }
}

void draw_row_line(RgbImage& picture, int frame_width, double row, int scale,
                   std::uint32_t colour) {
  const int dy = frame_to_display(row, scale);
  for (int x = 0; x <= frame_width; ++x) picture.set(frame_to_display(x, scale), dy, colour);
}

void draw_profile_line(RgbImage& picture, int frame_width, int row, int scale) {
  draw_row_line(picture, frame_width, row, scale, kProfileGreen);
}

void erase_profile_line(RgbImage& picture, const ImageFrame& frame, const DisplayState& state,
                        int row) {
  if (row < 0 || row > kLastIndex) return;
  const int s = scale_of(state);
  const int dy = frame_to_display(row, s);
  // Column `width` (the store's spare column) is redrawn too, except at width 5501 where it
  // lies beyond the store.
  const int last = std::min(frame.width, kLastIndex);
  for (int i = 0; i <= last; ++i)
    picture.set(frame_to_display(i, s), dy, grey(grey_level(frame.pixels.at(i, row), state)));
}

std::optional<std::uint32_t> pixel_redraw_colour(const ImageFrame& frame, const DisplayState& state,
                                                 int dx, int dy) {
  if (dx < 0 || dx > frame.width || dy < 0 || dy > frame.height) return std::nullopt;
  const int s = scale_of(state);
  const std::int64_t fx = std::int64_t{dx} * s;
  const std::int64_t fy = std::int64_t{dy} * s;
  if (fx > kLastIndex || fy > kLastIndex) return std::nullopt;
  return grey(grey_level(frame.pixels.at(int(fx), int(fy)), state));
}

void pixel_redraw(RgbImage& picture, const ImageFrame& frame, const DisplayState& state, int dx,
                  int dy) {
  if (const auto colour = pixel_redraw_colour(frame, state, dx, dy)) picture.set(dx, dy, *colour);
}

}  // namespace orvane::display
