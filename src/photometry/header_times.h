#pragma once

#include <span>
#include <string>
#include <vector>

// What a frame's header says about when and where it was taken, as the automatic run reads it,
// with the cards each value came from: the "info --times" lines and the header-times table.
namespace orvane::photometry {

struct HeaderTimeRow {
  std::string label;  // "date", "time", "exposure", "mid-exposure", "jd", ...
  std::string value;  // e.g. "2024-01-15 (card 6 DATE-OBS)", "none (no coordinates)"
};

// Rows in this order: date, time, exposure (from the record's own scan, with the card number
// and keyword), mid-exposure (UT), jd, hjd, bjd_tdb, airmass, ra, dec, site, not used (the
// time cards the scan does not read). A time taken from a JST card is 9 hours ahead of UT.
std::vector<HeaderTimeRow> header_time_rows(std::span<const std::string> cards);

}  // namespace orvane::photometry
