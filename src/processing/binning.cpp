#include "processing/binning.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "core/number_text.h"
#include "core/vector_clones.h"

namespace orvane::processing {
namespace {

struct ZoneRows {
  int first = 0;
  int last = 0;
};

ORVANE_VECTOR_CLONES void add_row(std::int64_t* sums, const std::int32_t* row, int count) {
  for (int x = 0; x < count; ++x) sums[x] += row[x];
}

// The running extremes of the sums after one zone; they start as plain 64-bit values.
ORVANE_VECTOR_CLONES void follow_extremes(const std::int64_t* sums, int count, std::int64_t& high,
                                          std::int64_t& low) {
  std::int64_t h = high;
  std::int64_t l = low;
  for (int x = 0; x < count; ++x) {
    h = std::max(h, sums[x]);
    l = std::min(l, sums[x]);
  }
  high = h;
  low = l;
}

// The sums limited to the 32-bit range, and how many needed it.
ORVANE_VECTOR_CLONES int limit_sums(const std::int64_t* sums, std::int32_t* limited, int count) {
  constexpr std::int64_t kHigh = std::numeric_limits<std::int32_t>::max();
  constexpr std::int64_t kLow = std::numeric_limits<std::int32_t>::min();
  int beyond = 0;
  for (int x = 0; x < count; ++x) {
    const std::int64_t s = sums[x];
    beyond += (s > kHigh) | (s < kLow);
    limited[x] = static_cast<std::int32_t>(std::clamp(s, kLow, kHigh));
  }
  return beyond;
}

core::Result<std::vector<ZoneRows>> active_rows(const BinningZones& zones, int height) {
  std::vector<ZoneRows> rows;
  for (std::size_t k = 0; k < zones.size(); ++k) {
    if (!zones[k].active()) continue;
    const ZoneRows r{core::round_to_i32(zones[k].upper), core::round_to_i32(zones[k].lower)};
    if (r.first < 0 || r.last > height - 1) {
      return core::Error{"Zone" + core::str_trimmed(double(k + 1)) + " (rows" + core::str(r.first) +
                         " to" + core::str(r.last) + ") lies outside the frame's rows 0 to" +
                         core::str(height - 1)};
    }
    rows.push_back(r);
  }
  if (rows.empty()) return core::Error{kNoActiveZone};
  return rows;
}

}  // namespace

core::Result<BinningOutcome> bin_zones(core::ImageFrame& frame, const BinningZones& zones) {
  auto rows = active_rows(zones, std::min(frame.height, core::ImageFrame::kMaxSide));
  if (!rows) return core::Error{rows.error()};
  // Columns 0 .. width, the spare column only where the store has it.
  const int columns = std::min(std::max(frame.width, 0) + 1, core::ImageFrame::kMaxSide);
  // Summed row by row, not column by column: the store is laid out in rows.
  std::vector<std::int64_t> sums(static_cast<std::size_t>(columns), 0);
  std::int64_t high = 0;
  std::int64_t low = 100000000;
  for (const ZoneRows& zone : *rows) {
    for (int y = zone.first; y <= zone.last; ++y)
      add_row(sums.data(), frame.pixels.row(y), columns);
    follow_extremes(sums.data(), columns, high, low);
  }
  std::vector<std::int32_t> limited(static_cast<std::size_t>(columns));
  BinningOutcome outcome;
  outcome.columns_limited = limit_sums(sums.data(), limited.data(), columns);
  for (const ZoneRows& zone : *rows) {
    for (int y = zone.first; y <= zone.last; ++y) {
      std::copy(limited.begin(), limited.end(), frame.pixels.row(y));
    }
  }
  frame.max_value = outcome.max_value = core::clamp_to_i32(high);
  frame.min_value = outcome.min_value = core::clamp_to_i32(low);
  return outcome;
}

std::string binning_completion(const BinningOutcome& outcome) {
  std::string text = "Completion\rmax =" + core::str(outcome.max_value) +
                     " / min =" + core::str(outcome.min_value);
  if (outcome.columns_limited > 0) {
    const int n = outcome.columns_limited;
    text += "\r" + core::str_trimmed(n) + (n == 1 ? " column sum was" : " column sums were") +
            " beyond the 32-bit range and limited to it";
  }
  return text;
}

}  // namespace orvane::processing
