#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/result.h"

// The observation records of a data file ("mag_est.txt") as the light-curve window holds them.
namespace orvane::lightcurve {

// The most records the window holds; further records are kept aside unchanged.
inline constexpr std::size_t kMaxRecords = 3000;

inline constexpr char kInUse = ' ';
inline constexpr char kDeleted = 'x';

// One data line with its 8-character prefix " 0012 : " in front. The prefix's first character
// is the mark: a blank while the record is in use, "x" once it is marked as deleted. The line
// as read from the file starts at index 8.
struct Record {
  std::string line;
  double hour = 0;        // hours since the evening's midnight, 12 <= hour < 36
  double values[3] = {};  // the numbers after the first three "=": K, C and V
  bool in_use() const { return !line.empty() && line[0] == kInUse; }
  std::string_view text() const { return std::string_view(line).substr(8); }
  double check_minus_comp() const { return values[1] - values[0]; }  // C-K
  double var_minus_comp() const { return values[2] - values[1]; }    // V-C
};

struct LightCurveData {
  std::string path;                   // absolute path of the data file
  std::vector<Record> records;        // at most kMaxRecords, in file order
  std::string comment;                // the last line beginning with ";", empty when none
  std::vector<std::string> left_out;  // records beyond kMaxRecords, as read
  std::string left_out_message;       // says how many were left out; empty when none

  std::size_t in_use_count() const;
};

// " 0012 : " for record 12: the mark blank, four digits, " : ".
std::string record_prefix(std::size_t number);

// A record from a line as read (without prefix); number counts from 1.
Record parse_record(std::size_t number, std::string_view line);

// Records and comment from the lines of a data file. Blank lines are not records.
LightCurveData parse_light_curve(const std::vector<std::string>& lines);

// Reads the data file; the path is made absolute first. A file that cannot be read is an error
// naming it, and so is a file that holds no records: binary data (a line with a NUL byte or one
// starting "SIMPLE  =", as a FITS frame does) or text lines of which none is a record.
core::Result<LightCurveData> load_light_curve(const std::string& path);

}  // namespace orvane::lightcurve
