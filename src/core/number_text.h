#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Number text as the program writes and reads it, independent of the locale: a German desktop
// must still read "12.5" as twelve and a half.
namespace orvane::core {

// "Text to number": the longest leading number after leading blanks, with an optional decimal
// exponent ("3.2768E+04" is 32768; "1E" stops before the E). 0 when the text starts with none.
double val(std::string_view text);

// "Number to text": the shortest fixed-notation decimal that reads back as the same double,
// never an exponent, with a leading blank when not negative (" 0.25", "-3", " 100000000").
std::string str(double value);

// Str without the leading blank, as orvane-cli prints numbers ("12.35", "-0.5").
std::string str_trimmed(double value);

// The shortest decimal that reads back as the same double, in fixed or exponent form, whichever
// is shorter ("3", "-1.25e-07"): coefficients printed for scripts, which must lose nothing.
std::string str_round_trip(double value);

// Number with a pattern: '0' a digit always shown, '#' a digit shown only when significant, '.'
// the point, anything else copied. Rounds half away from zero at the pattern's last digit on the
// decimal value str() writes. format(0.25, "####.###") is ".25", format(3, "####.###") is "3.".
std::string format(double value, std::string_view pattern);

// Conversion of a computed value to a 32-bit field: nearest, halves to even, limited to the
// 32-bit range; NaN gives 0.
std::int32_t round_to_i32(double value);

// Limits a 64-bit value to the 32-bit range.
std::int32_t clamp_to_i32(std::int64_t value);

// "Int(v + 0.5)": the floor of v + 0.5 (halves up).
double floor_half_up(double value);

// A number as written to a text line with print zones: its Str text and a trailing blank.
std::string zone_number(double value);

// Joins fields on one line the way a print statement with commas does: each field after the
// first starts at the next 14-column print zone after the text so far (a first field of exactly
// 14 characters puts the second at column 29).
std::string print_zones(const std::vector<std::string>& fields);

}  // namespace orvane::core
