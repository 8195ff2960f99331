#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

// Fields read from a prefixed record line by their fixed positions. Indices are 0-based: the
// record text starts at index 8, after the prefix " 0012 : ". A field past the line's end reads
// as empty, so a short line gives 0 for what it lacks.
namespace orvane::lightcurve {

// At most length characters from start; empty when start lies past the end.
std::string_view field(std::string_view line, std::size_t start, std::size_t length);

// The blank that ends the date: the first blank at or after index 8; npos when there is none.
std::size_t date_end(std::string_view line);

struct TimeOfDay {
  double hours = 0;
  double minutes = 0;
  double seconds = 0;
};

// hh:mm:ss behind the date's blank: two characters each at 1, 4 and 7 after it.
TimeOfDay record_time(std::string_view line);

// Hours since the evening's midnight: 02:15 is 26.25, so a night stays increasing.
double hour_of_night(const TimeOfDay& time);

// The numbers after the first three "=" from 19 characters after the date's blank (where the
// first "=" of "Check=" stands) up to index 199; each runs to the next blank. 0 when missing.
std::array<double, 3> record_values(std::string_view line);

}  // namespace orvane::lightcurve
