#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/result.h"
#include "lightcurve/light_curve_data.h"
#include "photometry/astro_time.h"

// The records in use as an AAVSO Extended file: six "#" parameters, then one line of fifteen
// fields per observation, dated at mid-exposure as JD or HJD.
namespace orvane::lightcurve {

// The program's magnitudes use 2.511886432 (10^0.4) where Pogson's scale has 2.5, so their
// differences come out 0.475 % too large. The AAVSO file scales V - C and K - C back by this.
inline constexpr double kPogsonRescale = 2.5 / 2.511886432;

enum class AavsoDate { kJd, kHjd };

struct AavsoFields {
  std::string obscode;
  std::string starid;  // e.g. "RZ CAS"
  double comp_magnitude = 10;
  std::string band;   // "V", "Rc" (written R), "Ic" (written I), ...
  std::string cname;  // comparison star's label; "na" when empty
  std::string kname;  // check star's label
  std::string chart;
  std::string notes;
  AavsoDate date = AavsoDate::kJd;
  std::string delim = ",";      // one character, or "tab"
  int time_zone = 0;            // hours the records' times are ahead of UT: 0 or 9
  std::string magerr = "auto";  // "auto" (the photometry error), "na" or a number
  std::string obstype = "CCD";
  // The star and the site when given; otherwise each record's frame header is asked.
  std::optional<photometry::SkyPosition> star;
  std::optional<photometry::Site> site;
  double now_jd = 0;  // the Julian Date of now: later dates are refused
};

// The header cards of a frame, by path (the record's image file).
using HeaderReader = std::function<core::Result<std::vector<std::string>>(const std::string& path)>;

struct AavsoReport {
  std::string text;                   // the whole file, lines ended CR LF
  std::vector<std::string> problems;  // "line N: FIELD: reason"; empty when it may be sent
  std::size_t count = 0;              // records written
};

// The file's text and what is wrong with it. A record's frame header is read only for what the
// fields do not give (the star for HJD and air mass, the site for air mass).
AavsoReport build_aavso_report(const LightCurveData& data, const AavsoFields& fields,
                               const HeaderReader& headers);

// Writes the text to path, replacing it atomically; refused, writing nothing, while the
// report has problems (the error lists them, one a line).
core::Status write_aavso_report(const AavsoReport& report, const std::string& path);

// The FILTER written for a band ("Rc" is R, "Ic" is I); empty for a band the AAVSO does not
// take.
std::optional<std::string> aavso_filter(std::string_view band);

// The image path at the end of a record: what follows the third value.
std::string record_image_path(std::string_view line);

// Julian Date (UT) of the middle of the record's exposure; the record's time is time_zone
// hours ahead of UT (hours 24..32 are the next day's).
double record_mid_exposure_jd(std::string_view line, int time_zone);

// The problems of an AAVSO Extended file, one "line N: FIELD: reason" each, in line order.
std::vector<std::string> aavso_check(std::string_view text, double now_jd);

}  // namespace orvane::lightcurve
