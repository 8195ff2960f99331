#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lightcurve/chart_layout.h"
#include "lightcurve/light_curve_data.h"

// Striking records out and taking them back, by the list or by a click on the V-C chart.
namespace orvane::lightcurve {

// A record's line in the list: the prefixed line up to and including its eighth blank counted
// from the second character (for an observation record, all but the image path). The whole
// line when it has fewer blanks.
std::string list_line(const Record& record);
std::vector<std::string> list_lines(const LightCurveData& data);

// Double-click on a list line: the first record whose prefixed line begins with the text is
// marked deleted when the text begins with a blank, else taken back into use. Returns its index
// (from 0), or nothing when no record matches.
std::optional<std::size_t> toggle_by_list_text(LightCurveData& data, std::string_view text);

// "delete no = 0012": the message after a record is struck out on the chart.
std::string delete_message(const Record& record);

// A left click at (x, y) on the V-C chart, whose points are given: the record hit is marked
// deleted and the message to show is returned; nothing when no point is within one pixel.
std::optional<std::string> delete_by_click(LightCurveData& data,
                                           const std::vector<ChartPoint>& var_points, int x, int y);

// The record's image: everything after the eighth blank counted from the second character.
// Empty when the line has fewer blanks.
std::string image_path(const Record& record);

}  // namespace orvane::lightcurve
