#include "lightcurve/report_export.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

#include "core/number_text.h"
#include "core/text_file.h"
#include "lightcurve/photometry_error.h"
#include "lightcurve/report_dates.h"
#include "lightcurve/shift_jis_text.h"

namespace orvane::lightcurve {
namespace {

struct ReportEntry {
  CalendarDate night;
  TimeOfDay mid;
  double magnitude = 0;
  int decimals = 2;
  double julian = 0;
};

ReportEntry report_entry(const Record& r, double comp_magnitude) {
  const TimeOfDay start = record_time(r.line);
  ReportEntry e;
  e.night = night_date(record_date(r.line), start.hours);
  e.mid = mid_exposure(start, record_exposure(r.line));
  e.magnitude = comp_magnitude + (r.values[2] - r.values[1]);
  e.decimals = magnitude_decimals(r.line);
  e.julian = julian_date(e.night, e.mid);
  return e;
}

std::string date_text(const CalendarDate& d, const std::string& separator) {
  return core::format(d.year, "0000") + separator + core::format(d.month, "00") + separator +
         core::format(d.day, "00");
}

std::string time_text(const TimeOfDay& t) {
  return core::format(t.hours, "00") + core::format(t.minutes, "00") +
         core::format(t.seconds, "00");
}

std::string fitted(std::string text, std::size_t width) {
  text.resize(width, ' ');
  return text;
}

std::string right_aligned(std::string text, std::size_t width) {
  text.resize(std::min(text.size(), width));
  return std::string(width - text.size(), ' ') + text;
}

std::string report_line(const ReportEntry& e, const ReportFields& f) {
  const char* pattern = e.decimals == 2 ? " ###.00" : " ###.000";
  return f.star + " " + date_text(e.night, "") + time_text(e.mid) +
         core::format(e.magnitude, pattern) + f.band + " " + f.observer_code;
}

// Night date, observer code, time, the 44-character star field, magnitude in hundredths, JD.
std::string data_line(const ReportEntry& e, const ReportFields& f) {
  const std::string star_field = fitted(f.star, 20) + fitted(f.band + " magnitude      ", 15) +
                                 "CCD(" + fitted(f.band + ")     ", 5);
  return date_text(e.night, "") + right_aligned(f.observer_code, 10) + time_text(e.mid) +
         star_field + core::format(core::floor_half_up(100 * e.magnitude), "00000 ") +
         core::format(e.julian - 2000000, "000000.0000");
}

// The header is dated by the first record in use, or the first record when none is in use.
const Record& header_record(const LightCurveData& data) {
  for (const Record& r : data.records) {
    if (r.in_use()) return r;
  }
  return data.records.front();
}

core::Status check_ascii(const std::string& box, const std::string& text) {
  if (is_ascii(text)) return core::ok_status();
  return core::Error{box + " " + text + ": only ASCII characters can be written to sdata2.2"};
}

core::Result<std::string> shift_jis_box(const std::string& box, const std::string& text) {
  auto converted = to_shift_jis(text);
  if (!converted) return core::Error{box + " " + text + ": " + converted.error()};
  return converted;
}

core::Status check_fields(const LightCurveData& data, const ReportFields& f) {
  if (data.records.empty()) return core::Error{data.path + ": no records to report"};
  for (const auto& [box, text] : {std::pair<std::string, const std::string&>{"Star", f.star},
                                  {"Colour", f.band},
                                  {"Observer code", f.observer_code}}) {
    if (auto ascii = check_ascii(box, text); !ascii) return ascii;
  }
  if (f.star.size() > kMaxStarLength) {
    return core::Error{"Star " + f.star + ": at most 20 characters"};
  }
  return core::ok_status();
}

// The report's fixed lines: every character is in the table, so the conversion cannot fail.
std::string fixed_text(std::string_view utf8) {
  auto text = to_shift_jis(utf8);
  return text ? *text : std::string(utf8);
}

core::Result<std::string> report_text(const LightCurveData& data, const ReportFields& f,
                                      const std::vector<std::string>& lines) {
  auto place = shift_jis_box("Observer and Place", f.observer_place);
  if (!place) return place;
  auto instruments = shift_jis_box("instruments", f.instruments);
  if (!instruments) return instruments;
  const Record& first = header_record(data);
  const CalendarDate header_date =
      night_date(record_date(first.line), record_time(first.line).hours);
  std::vector<std::string> out;
  out.push_back(fixed_text("変光星観測 ") + date_text(header_date, "/") + " By " + f.observer_code);
  out.push_back("---- Variable Star Observations ----");
  out.insert(out.end(), lines.begin(), lines.end());
  out.push_back(std::string(69, '-'));
  out.push_back(fixed_text("観測は順に星名 , JST(hhmmss), 光度, 観測者略号"));
  out.push_back(fixed_text("total: 1星 /") + core::str(static_cast<double>(lines.size())) +
                fixed_text(" 目測"));
  out.push_back("observer: " + *place);
  out.push_back("instruments: " + *instruments);
  out.push_back("comment: photometry error = " + photometry_error_number(photometry_error(data)));
  return core::join_crlf(out);
}

core::Error rename_error(const std::string& from, const std::string& to, int error_number) {
  return core::Error{from + " -> " + to + ": " + std::strerror(error_number)};
}

}  // namespace

core::Result<ReportFiles> build_report(const LightCurveData& data, const ReportFields& fields) {
  if (auto checked = check_fields(data, fields); !checked) return core::Error{checked.error()};
  std::vector<std::string> report_lines;
  std::vector<std::string> data_lines;
  for (const Record& r : data.records) {
    if (!r.in_use()) continue;
    const ReportEntry e = report_entry(r, fields.comp_magnitude);
    report_lines.push_back(report_line(e, fields));
    data_lines.push_back(data_line(e, fields));
  }
  auto report = report_text(data, fields, report_lines);
  if (!report) return core::Error{report.error()};
  return ReportFiles{*report, core::join_crlf(data_lines), report_lines.size()};
}

core::Status write_report(const LightCurveData& data, const ReportFields& fields,
                          const std::string& folder) {
  auto files = build_report(data, fields);
  if (!files) return core::Error{files.error()};
  const std::filesystem::path dir(folder);
  const std::string report_path = (dir / kReportFileName).string();
  const std::string temp_path = (dir / "sdata2.22").string();
  const std::string data_path = (dir / kReportDataFileName).string();
  if (auto written = core::write_file_atomically(report_path, files->report); !written) {
    return written;
  }
  if (auto written = core::write_file_atomically(temp_path, files->data); !written) {
    return written;
  }
  if (std::rename(temp_path.c_str(), data_path.c_str()) != 0) {
    const int error_number = errno;
    std::remove(temp_path.c_str());
    return rename_error(temp_path, data_path, error_number);
  }
  return core::ok_status();
}

}  // namespace orvane::lightcurve
