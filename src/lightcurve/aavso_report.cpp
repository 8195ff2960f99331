#include "lightcurve/aavso_report.h"

#include <algorithm>
#include <array>

#include "core/number_text.h"
#include "core/text_file.h"
#include "lightcurve/photometry_error.h"
#include "lightcurve/record_fields.h"
#include "lightcurve/report_dates.h"
#include "photometry/header_coordinates.h"

namespace orvane::lightcurve {
namespace {

using photometry::Site;
using photometry::SkyPosition;

// An instrumental magnitude on Pogson's scale, about the program's zero point 20.
double pogson(double magnitude) {
  return 20 - (20 - magnitude) * kPogsonRescale;
}

std::string or_na(const std::string& text) {
  return text.empty() ? "na" : text;
}

std::string delimiter_of(const std::string& delim) {
  return delim == "tab" ? "\t" : delim;
}

std::string magerr_text(const LightCurveData& data, const std::string& magerr) {
  if (magerr != "auto") return magerr;
  const std::optional<double> error = photometry_error(data);
  if (!error || data.in_use_count() < 2) return "na";
  return core::format(*error * kPogsonRescale, "0.000");
}

// What a record's frame adds to the fields: the star and the site when the fields lack them.
struct RecordPlace {
  std::optional<SkyPosition> star;
  std::optional<Site> site;
  std::string header_error;  // why the header could not be read; empty when it was
};

RecordPlace record_place(const Record& record, const AavsoFields& fields,
                         const HeaderReader& headers) {
  RecordPlace place{fields.star, fields.site, {}};
  if (place.star && place.site) return place;
  auto cards = headers(record_image_path(record.text()));
  if (!cards) {
    place.header_error = cards.error();
    return place;
  }
  if (!place.star) {
    if (auto star = photometry::header_star(*cards)) place.star = star->position;
  }
  if (!place.site) {
    if (auto site = photometry::header_site(*cards)) place.site = site->site;
  }
  return place;
}

// Whether the record's date is a calendar date: a frame without DATE-OBS is recorded as
// "00/00/00".
bool has_date(std::string_view line) {
  const CalendarDate date = record_date("        " + std::string(line));
  return date.month >= 1 && date.month <= 12 && date.day >= 1 && date.day <= 31;
}

struct RecordLine {
  std::string text;
  std::vector<std::string> problems;
};

RecordLine record_line(const Record& record, const AavsoFields& fields, const std::string& magerr,
                       const HeaderReader& headers, std::size_t line_number) {
  RecordLine out;
  const std::string at = "line " + std::to_string(line_number) + ": ";
  const bool need_star = fields.date == AavsoDate::kHjd || !fields.star;
  const RecordPlace place =
      need_star || !fields.site ? record_place(record, fields, headers) : RecordPlace{};
  const double jd = record_mid_exposure_jd(record.text(), fields.time_zone);
  std::string date = core::format(jd, "0.00000");
  if (!has_date(record.text())) {
    date = "na";
    out.problems.push_back(at + "DATE: the record has no date (\"00/00/00\": no DATE-OBS)");
  } else if (fields.date == AavsoDate::kHjd) {
    if (place.star) {
      date = core::format(photometry::heliocentric_julian_date(jd, *place.star), "0.00000");
    } else {
      date = "na";
      out.problems.push_back(
          at +
          "DATE: no star coordinates for HJD (--ra and --dec, or OBJCTRA/OBJCTDEC or RA/DEC "
          "in the frame's header" +
          (place.header_error.empty() ? "" : ": " + place.header_error) + ")");
    }
  }
  std::string airmass = "na";
  if (place.star && place.site) {
    if (auto secant = photometry::secant_zenith(jd, *place.star, *place.site)) {
      airmass = core::format(photometry::hardie_air_mass(*secant), "0.000");
    }
  }
  const double c = record.values[1], k = record.values[0], v = record.values[2];
  const std::string filter = aavso_filter(fields.band).value_or(fields.band);
  const std::string notes =
      fields.notes + "|CREFMAG=" + core::format(fields.comp_magnitude, "0.000");
  const std::array<std::string, 15> values{
      fields.starid,
      date,
      core::format(fields.comp_magnitude + (v - c) * kPogsonRescale, "0.000"),
      magerr,
      filter,
      "NO",
      "STD",
      or_na(fields.cname),
      core::format(pogson(c), "0.000"),
      or_na(fields.kname),
      core::format(pogson(k), "0.000"),
      airmass,
      "na",
      or_na(fields.chart),
      notes};
  const std::string delim = delimiter_of(fields.delim);
  for (std::size_t i = 0; i < values.size(); ++i) out.text += (i ? delim : "") + values[i];
  return out;
}

// The problem's "line N: FIELD:" part.
std::string_view problem_place(std::string_view problem) {
  const std::size_t first = problem.find(": ");
  const std::size_t second = problem.find(": ", first + 2);
  return problem.substr(0, second);
}

}  // namespace

std::optional<std::string> aavso_filter(std::string_view band) {
  if (band == "Rc") return "R";
  if (band == "Ic") return "I";
  static constexpr std::array<std::string_view, 32> kFilters{
      "U",     "B",     "V",  "R",  "I",  "J",  "H",  "K",   "TG",  "TB",  "TR",
      "CV",    "CR",    "SZ", "SU", "SG", "SR", "SI", "STU", "STV", "STB", "STY",
      "STHBW", "STHBN", "MA", "MB", "MI", "ZS", "Y",  "HA",  "HAC", "O"};
  const auto found = std::find(kFilters.begin(), kFilters.end() - 1, band);
  if (found == kFilters.end() - 1) return std::nullopt;
  return std::string(band);
}

std::string record_image_path(std::string_view line) {
  std::size_t at = 0;
  for (int i = 0; i < 3; ++i) {
    at = line.find('=', at);
    if (at == std::string_view::npos) return {};
    ++at;
  }
  at = line.find(' ', at);
  if (at == std::string_view::npos) return {};
  std::string_view path = line.substr(at + 1);
  const std::size_t end = path.find_last_not_of(" \r\n");
  return std::string(end == std::string_view::npos ? std::string_view() : path.substr(0, end + 1));
}

double record_mid_exposure_jd(std::string_view line, int time_zone) {
  // Record lines are read with their 8-character prefix in front.
  const std::string prefixed = "        " + std::string(line);
  const CalendarDate date = record_date(prefixed);
  const TimeOfDay time = record_time(prefixed);
  const double seconds = time.seconds + record_exposure(prefixed) / 2;
  const double hours = time.hours + time.minutes / 60 + seconds / 3600 - time_zone;
  return photometry::julian_date(static_cast<int>(date.year), static_cast<int>(date.month),
                                 static_cast<int>(date.day), hours);
}

AavsoReport build_aavso_report(const LightCurveData& data, const AavsoFields& fields,
                               const HeaderReader& headers) {
  AavsoReport report;
  const std::string date_kind = fields.date == AavsoDate::kHjd ? "HJD" : "JD";
  std::vector<std::string> lines{"#TYPE=EXTENDED",        "#OBSCODE=" + fields.obscode,
                                 "#SOFTWARE=Orvane 1.01", "#DELIM=" + fields.delim,
                                 "#DATE=" + date_kind,    "#OBSTYPE=" + fields.obstype};
  const std::string magerr = magerr_text(data, fields.magerr);
  for (const Record& record : data.records) {
    if (!record.in_use()) continue;
    RecordLine line = record_line(record, fields, magerr, headers, lines.size() + 1);
    lines.push_back(std::move(line.text));
    for (std::string& p : line.problems) report.problems.push_back(std::move(p));
    ++report.count;
  }
  report.text = core::join_crlf(lines);
  // The checker sees the written text; a field the builder already explained is not repeated.
  for (std::string& problem : aavso_check(report.text, fields.now_jd)) {
    const bool told = std::any_of(
        report.problems.begin(), report.problems.end(),
        [&](const std::string& p) { return problem_place(p) == problem_place(problem); });
    if (!told) report.problems.push_back(std::move(problem));
  }
  std::stable_sort(report.problems.begin(), report.problems.end(),
                   [](const std::string& a, const std::string& b) {
                     return core::val(std::string_view(a).substr(5)) <
                            core::val(std::string_view(b).substr(5));
                   });
  if (report.count == 0) report.problems.push_back("line 7: STARID: no record in use");
  return report;
}

core::Status write_aavso_report(const AavsoReport& report, const std::string& path) {
  if (!report.problems.empty()) {
    std::string message = path + ": not written, the report has problems:";
    for (const std::string& p : report.problems) message += "\n" + p;
    return core::Error{message};
  }
  return core::write_file_atomically(path, report.text);
}

}  // namespace orvane::lightcurve
