// The AAVSO Extended report of the light-curve records (report --format aavso) and the check
// of such a file before it is sent (aavso-check).
#include <chrono>

#include "aavso_commands.h"
#include "core/fits_header.h"
#include "core/number_text.h"
#include "core/text_file.h"
#include "lightcurve/aavso_report.h"

namespace orvane::cli {
namespace {

double now_jd() {
  using namespace std::chrono;
  const double seconds =
      duration<double>(system_clock::now().time_since_epoch()).count();  // since 1970 UTC
  return 2440587.5 + seconds / 86400.0;
}

std::optional<photometry::SkyPosition> star_option(const ParsedArgs& args) {
  const auto ra_text = args.value("--ra");
  const auto dec_text = args.value("--dec");
  if (!ra_text && !dec_text) return std::nullopt;
  if (!ra_text || !dec_text) throw UsageError{"--ra and --dec go together"};
  const auto ra = photometry::parse_right_ascension(*ra_text);
  if (!ra) throw UsageError{"--ra wants HH MM SS.s or degrees: " + *ra_text};
  const auto dec = photometry::parse_degrees(*dec_text);
  if (!dec) throw UsageError{"--dec wants +DD MM SS or degrees: " + *dec_text};
  return photometry::SkyPosition{*ra, *dec};
}

std::optional<photometry::Site> site_option(const ParsedArgs& args) {
  const auto text = args.value("--site");
  if (!text) return std::nullopt;
  const auto site = photometry::parse_site(*text);
  if (!site) throw UsageError{"--site wants LAT,LON in degrees: " + *text};
  return site;
}

std::string magerr_option(const ParsedArgs& args) {
  const std::string magerr = args.value("--magerr").value_or("auto");
  if (magerr != "auto" && magerr != "na" &&
      magerr.find_first_not_of("0123456789.") != std::string::npos) {
    throw UsageError{"--magerr wants auto, na or a number: " + magerr};
  }
  return magerr;
}

}  // namespace

lightcurve::AavsoFields aavso_fields(const ParsedArgs& args) {
  const std::string out = required(args, "-o");
  if (!out.ends_with(".txt") && !out.ends_with(".csv") && !out.ends_with(".tsv")) {
    throw UsageError{"FILE must end in .txt, .csv or .tsv: " + out};
  }
  lightcurve::AavsoFields f;
  f.obscode = required(args, "--obscode");
  f.starid = required(args, "--starid");
  f.comp_magnitude = core::val(required(args, "--comp-mag"));
  f.band = required(args, "--band");
  f.cname = args.value("--cname").value_or("");
  f.kname = args.value("--kname").value_or("");
  f.chart = args.value("--chart").value_or("");
  f.notes = args.value("--notes").value_or("");
  f.date = word_choice(args, "--date", {"jd", "hjd"}, 0) == 1 ? lightcurve::AavsoDate::kHjd
                                                              : lightcurve::AavsoDate::kJd;
  f.delim = args.value("--delim").value_or(out.ends_with(".tsv") ? "tab" : ",");
  f.time_zone = choice(args, "--time-zone", {0, 9}, 0);
  f.magerr = magerr_option(args);
  f.obstype = word_choice(args, "--obstype", {"CCD", "DSLR", "CMOS"}, 0) == 1 ? "DSLR" : "CCD";
  f.star = star_option(args);
  f.site = site_option(args);
  f.now_jd = now_jd();
  return f;
}

int run_aavso_report(const ParsedArgs& args, const lightcurve::AavsoFields& fields,
                     const lightcurve::LightCurveData& data, core::CliUserInterface& ui) {
  const std::string out = *args.value("-o");
  const lightcurve::AavsoReport report =
      lightcurve::build_aavso_report(data, fields, core::read_header_cards);
  if (auto written = lightcurve::write_aavso_report(report, out); !written) {
    ui.print_error(written.error());
    return kExitFailed;
  }
  ui.print_result(out + ": " + std::to_string(report.count) + " observations");
  return kExitDone;
}

std::vector<OptionSpec> aavso_options() {
  return {
      {"--format", "std|aavso", "std: sdata2.std and sdata2.2; aavso: an AAVSO Extended file",
       "default std"},
      {"--obscode", "CODE", "AAVSO observer code", "aavso: required"},
      {"--starid", "NAME", "the star as the AAVSO names it, e.g. \"RZ CAS\"", "aavso: required"},
      {"--cname", "LABEL", "comparison star label", "default na"},
      {"--kname", "LABEL", "check star label", "default na"},
      {"--chart", "ID", "AAVSO chart id", "default na"},
      {"--notes", "TEXT", "notes; |CREFMAG= follows", ""},
      {"--date", "jd|hjd", "date of mid-exposure as JD or heliocentric JD", "default jd"},
      {"--delim", "C", "field delimiter, or the word tab", "default , (tab for .tsv)"},
      {"--ra", "HH:MM:SS.s", "right ascension J2000 (or degrees)", "default: the frame header"},
      {"--dec", "+DD:MM:SS", "declination J2000 (or degrees)", "default: the frame header"},
      {"--site", "LAT,LON", "site in degrees, east positive, for the air mass",
       "default: SITELAT/SITELONG"},
      {"--time-zone", "0|9", "hours the records' times are ahead of UT", "default 0"},
      {"--magerr", "auto|na|V", "auto: the photometry error (C-K), na under 2 records",
       "default auto"},
      {"--obstype", "CCD|DSLR|CMOS", "camera; CMOS is written CCD", "default CCD"},
      {"-o", "FILE", "the AAVSO file (.txt, .csv or .tsv)", "aavso: required"}};
}

namespace {

int run_aavso_check(const ParsedArgs& args, core::CliUserInterface& ui) {
  const std::string& path = single_file(args);
  auto lines = core::read_text_lines(path);
  if (!lines) {
    ui.print_error(lines.error());
    return kExitFailed;
  }
  std::string text;
  for (const std::string& line : *lines) text += line + "\n";
  const std::vector<std::string> problems = lightcurve::aavso_check(text, now_jd());
  for (const std::string& problem : problems) ui.print_result(path + ": " + problem);
  if (!problems.empty()) return kExitFailed;
  ui.print_result(path + ": no problems");
  return kExitDone;
}

}  // namespace

void add_aavso_commands(CommandTable& table) {
  table["aavso-check"] = {"aavso-check FILE",
                          "checks an AAVSO Extended file before it is sent",
                          {},
                          run_aavso_check,
                          false};
}

}  // namespace orvane::cli
