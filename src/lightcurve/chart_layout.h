#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "lightcurve/axis_settings.h"
#include "lightcurve/light_curve_data.h"

// What a light-curve chart shows, in picture pixels (origin top left), as a list of simple
// drawing steps that a painter carries out in order.
namespace orvane::lightcurve {

// The light-curve window's picture size in pixels, also used by orvane-cli.
inline constexpr int kChartWidth = 600;
inline constexpr int kChartHeight = 300;

// Colours as 0xFFRRGGBB, from the 16-colour palette the charts have always used.
inline constexpr std::uint32_t kChartWhite = 0xFFFFFFFFu;  // 15
inline constexpr std::uint32_t kChartBlack = 0xFF000000u;  // 0
inline constexpr std::uint32_t kChartRed = 0xFF800000u;    // 4
inline constexpr std::uint32_t kChartGreen = 0xFF008000u;  // 2

// Position of a record that is not drawn; never hit by a click inside the picture.
inline constexpr int kNoPosition = -99;

struct ChartPrimitive {
  enum class Kind {
    kFill,   // box (x1, y1) to (x2, y2) filled
    kLine,   // line from (x1, y1) to (x2, y2), both ends included, pen width 1
    kText,   // text whose top left corner is at (x1, y1)
    kPoint,  // point at (x1, y1) with a square pen of pen_width pixels centred on it
  };
  Kind kind = Kind::kLine;
  int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  std::uint32_t colour = kChartBlack;
  int pen_width = 1;
  std::string text;

  bool operator==(const ChartPrimitive&) const = default;
};

struct ChartPoint {
  int x = kNoPosition;
  int y = kNoPosition;
  bool operator==(const ChartPoint&) const = default;
};

struct ChartDrawing {
  int width = 0;
  int height = 0;
  std::vector<ChartPrimitive> primitives;
  // One per record, in record order: where its point is drawn, kNoPosition when not in use.
  std::vector<ChartPoint> points;
};

// Grid lines per axis are limited, so hand ranges with a tiny step cannot stall the window.
inline constexpr int kMaxGridLines = 5000;

// The chart of C-K (kCheck) or V-C (kVariable) in a picture of width x height pixels.
ChartDrawing chart_drawing(const LightCurveData& data, const AxisSettings& settings, ChartKind kind,
                           int width, int height);

// The first record (index from 0) whose point lies within one pixel of (x, y) in both
// directions; records are tried in order, and for each the 3 x 3 pixels around the click.
std::optional<std::size_t> hit_record(const std::vector<ChartPoint>& points, int x, int y);

}  // namespace orvane::lightcurve
