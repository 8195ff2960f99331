#pragma once

#include <cstddef>
#include <string>

#include "core/result.h"
#include "lightcurve/light_curve_data.h"

// The observation report of the records in use: "sdata2.std", readable, with its Japanese
// header and trailer in Shift-JIS, and "sdata2.2", one fixed-column ASCII line per record.
namespace orvane::lightcurve {

inline constexpr const char* kReportFileName = "sdata2.std";
inline constexpr const char* kReportDataFileName = "sdata2.2";
inline constexpr const char* kReportCompletion = "Completion, file name is sdata2.std";
inline constexpr std::size_t kMaxStarLength = 20;

// The light-curve window's report boxes.
struct ReportFields {
  std::string star;            // constellation (3 letters) and designation, e.g. "CASRZ"
  double comp_magnitude = 10;  // the comparison star's magnitude
  std::string band;            // colour of that magnitude, e.g. "V"
  std::string observer_code;
  std::string observer_place;  // "Observer and Place"
  std::string instruments;
};

struct ReportFiles {
  std::string report;     // bytes of "sdata2.std"
  std::string data;       // bytes of "sdata2.2"
  std::size_t count = 0;  // records reported
};

// Both files' bytes. Refused with a message naming the box: a star text over 20 characters,
// non-ASCII text in the star, band or observer code (they go into the ASCII file too), text
// Shift-JIS cannot hold in the place or instruments, or a file without any record.
core::Result<ReportFiles> build_report(const LightCurveData& data, const ReportFields& fields);

// Writes both files into folder: "sdata2.std", then the data under "sdata2.22", renamed to
// "sdata2.2". Each file is replaced whole or not at all; nothing is written when refused.
core::Status write_report(const LightCurveData& data, const ReportFields& fields,
                          const std::string& folder);

}  // namespace orvane::lightcurve
