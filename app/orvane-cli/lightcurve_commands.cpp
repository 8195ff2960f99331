// The light-curve commands: the charts and edits of the light-curve window (lightcurve) and its
// report export (report). Neither reads frames.
#include <cstdio>
#include <filesystem>
#include <string_view>

#include "aavso_commands.h"
#include "cli_support.h"
#include "core/number_text.h"
#include "core/text_file.h"
#include "lightcurve/axis_settings.h"
#include "lightcurve/chart_layout.h"
#include "lightcurve/light_curve_data.h"
#include "lightcurve/light_curve_saving.h"
#include "lightcurve/photometry_error.h"
#include "lightcurve/report_export.h"
#include "picture/picture_format.h"
#include "picture_output.h"

namespace orvane::cli {
namespace {

using lightcurve::ChartKind;
using lightcurve::LightCurveData;

// The record numbers of every --delete, each a comma list of whole numbers.
std::vector<std::size_t> delete_numbers(const ParsedArgs& args) {
  std::vector<std::size_t> numbers;
  for (const std::string& list : args.values("--delete")) {
    std::size_t start = 0;
    for (;;) {
      const std::size_t comma = list.find(',', start);
      const std::string token = list.substr(start, comma - start);
      if (token.empty() || token.size() > 9 ||
          token.find_first_not_of("0123456789") != std::string::npos) {
        throw UsageError{"malformed record number for --delete: " + list};
      }
      numbers.push_back(std::stoul(token));
      if (comma == std::string::npos) break;
      start = comma + 1;
    }
  }
  return numbers;
}

// Reads the data file and marks the listed records; prints the problem and returns false when
// the file cannot be read or a number names no record.
bool load_and_mark(const ParsedArgs& args, LightCurveData& data, core::CliUserInterface& ui) {
  const std::string& path = single_file(args);
  const std::vector<std::size_t> numbers = delete_numbers(args);
  auto loaded = lightcurve::load_light_curve(path);
  if (!loaded) {
    ui.print_error(loaded.error());
    return false;
  }
  data = std::move(*loaded);
  if (!data.left_out_message.empty()) ui.print_error(data.left_out_message);
  for (std::size_t n : numbers) {
    if (n < 1 || n > data.records.size()) {
      ui.print_error(data.path + ": there is no record " + std::to_string(n));
      return false;
    }
    data.records[n - 1].line[0] = lightcurve::kDeleted;
  }
  return true;
}

void print_axes(const lightcurve::AxisSettings& settings, core::CliUserInterface& ui) {
  const lightcurve::ChartAxes check = chart_axes(settings, ChartKind::kCheck);
  const lightcurve::ChartAxes var = chart_axes(settings, ChartKind::kVariable);
  ui.print_result("hours " + core::str_trimmed(check.hour_start) + " " +
                  core::str_trimmed(check.hour_end));
  ui.print_result("C-K " + core::str_trimmed(check.low / 10) + " " +
                  core::str_trimmed(check.high / 10));
  ui.print_result("V-C " + core::str_trimmed(var.low / 10) + " " +
                  core::str_trimmed(var.high / 10));
}

// Both charts, C-K above V-C, in one picture written by the picture library.
core::Status write_light_curve(const LightCurveData& data, const lightcurve::AxisSettings& settings,
                               const std::string& out, const std::string& format) {
  constexpr int kWidth = lightcurve::kChartWidth;
  constexpr int kHeight = lightcurve::kChartHeight;
  const lightcurve::ChartDrawing top =
      lightcurve::chart_drawing(data, settings, ChartKind::kCheck, kWidth, kHeight);
  const lightcurve::ChartDrawing bottom =
      lightcurve::chart_drawing(data, settings, ChartKind::kVariable, kWidth, kHeight);
  return write_charts(top, bottom, kWidth, kHeight, out, format);
}

int run_lightcurve(const ParsedArgs& args, core::CliUserInterface& ui) {
  std::optional<std::string> format;
  if (auto out = args.value("-o")) {
    format = picture::picture_format(*out);
    if (!format) throw UsageError{"PLOT must end in .png, .bmp, .jpg or .jpeg: " + *out};
  }
  LightCurveData data;
  if (!load_and_mark(args, data, ui)) return kExitFailed;
  const lightcurve::AxisSettings settings = lightcurve::auto_axes(data);
  ui.print_result("records " + std::to_string(data.records.size()) + ", in use " +
                  std::to_string(data.in_use_count()));
  ui.print_result(lightcurve::photometry_error_text(lightcurve::photometry_error(data)));
  if (data.in_use_count() > 0) print_axes(settings, ui);
  if (format) {
    if (auto written = write_light_curve(data, settings, *args.value("-o"), *format); !written) {
      ui.print_error(written.error());
      return kExitFailed;
    }
  }
  if (args.has("--save")) {
    if (auto saved = lightcurve::save_light_curve(data); !saved) {
      ui.print_error(saved.error());
      return kExitFailed;
    }
  }
  return kExitDone;
}

int run_report(const ParsedArgs& args, core::CliUserInterface& ui) {
  if (word_choice(args, "--format", {"std", "aavso"}, 0) == 1) {
    const lightcurve::AavsoFields aavso = aavso_fields(args);
    LightCurveData data;
    if (!load_and_mark(args, data, ui)) return kExitFailed;
    return run_aavso_report(args, aavso, data, ui);
  }
  lightcurve::ReportFields fields;
  fields.star = required(args, "--star");
  fields.comp_magnitude = core::val(required(args, "--comp-mag"));
  fields.band = required(args, "--band");
  fields.observer_code = required(args, "--observer");
  fields.observer_place = args.value("--place").value_or("");
  fields.instruments = args.value("--instruments").value_or("");
  std::error_code ignored;
  const std::string folder =
      std::filesystem::absolute(args.value("--outdir").value_or("."), ignored).string();
  LightCurveData data;
  if (!load_and_mark(args, data, ui)) return kExitFailed;
  if (auto written = lightcurve::write_report(data, fields, folder); !written) {
    ui.print_error(written.error());
    return kExitFailed;
  }
  ui.print_result(lightcurve::kReportCompletion);
  return kExitDone;
}

}  // namespace

void add_lightcurve_commands(CommandTable& table) {
  const OptionSpec deleted{"--delete", "N[,N...]", "mark these record numbers as deleted", ""};
  table["lightcurve"] = {
      "lightcurve DATAFILE [-o PLOT.png] [--delete N[,N...]] [--save]",
      "reads observation records as the light-curve window does and prints its axes",
      {{"-o", "PLOT.png", "draw the two charts into this picture (.png, .bmp, .jpg or .jpeg)", ""},
       deleted,
       {"--save", "", "write the data file back without the deleted records", ""}},
      run_lightcurve,
      false};
  std::vector<OptionSpec> report_options{
      {"--star", "S", "the variable star's name", "std: required"},
      {"--comp-mag", "M", "the comparison star's magnitude", "required"},
      {"--band", "B", "the band letters, e.g. V (aavso: Rc is written R, Ic I; O refused)",
       "required"},
      {"--observer", "CODE", "the observer's code", "std: required"},
      {"--place", "TEXT", "the observing place", ""},
      {"--instruments", "TEXT", "the instruments", ""},
      deleted,
      {"--outdir", "DIR", "folder of the report files", "default: the current folder"}};
  for (OptionSpec& option : aavso_options()) report_options.push_back(std::move(option));
  table["report"] = {
      "report DATAFILE --comp-mag M --band B [--delete N,...] (--star S --observer CODE "
      "[--place TEXT] [--instruments TEXT] [--outdir DIR] | --format aavso --obscode CODE "
      "--starid NAME [--cname L] [--kname L] [--chart ID] [--notes TEXT] [--date jd|hjd] "
      "[--delim C] [--ra RA --dec DEC] [--site LAT,LON] [--time-zone 0|9] "
      "[--magerr auto|na|V] [--obstype CCD|DSLR|CMOS] -o FILE.txt|.csv|.tsv)",
      "writes the report files sdata2.std and sdata2.2, or an AAVSO Extended file, from "
      "observation records. The AAVSO magnitudes are on Pogson's scale: V - C and K - C are "
      "multiplied by 2.5/2.511886432",
      report_options, run_report, false};
}

}  // namespace orvane::cli
