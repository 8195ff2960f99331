// The spectrum commands: bin (binning of zones), profile (the three profile files of a row) and
// bow (the bow correction from a shift table).
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "cli_support.h"
#include "core/image_frame.h"
#include "core/number_text.h"
#include "processing/binning.h"
#include "processing/bow_correction.h"
#include "processing/profile_files.h"

namespace orvane::cli {
namespace {

// "A:B" as two numbers read like the window's boxes; a usage error without the colon.
std::pair<double, double> number_pair(const std::string& name, const std::string& text) {
  const auto colon = text.find(':');
  if (colon == std::string::npos) throw UsageError{"malformed A:B for " + name + ": " + text};
  return {core::val(text.substr(0, colon)), core::val(text.substr(colon + 1))};
}

processing::BinningZones zones_option(const ParsedArgs& args) {
  const std::vector<std::string>& given = args.values("--zone");
  if (given.empty()) throw UsageError{"missing required option --zone"};
  processing::BinningZones zones{};
  if (given.size() > zones.size()) throw UsageError{"more than five --zone options"};
  for (std::size_t k = 0; k < given.size(); ++k) {
    const auto [upper, lower] = number_pair("--zone", given[k]);
    zones[k] = {upper, lower};
  }
  return zones;
}

int run_bin(const ParsedArgs& args, core::CliUserInterface& ui) {
  const std::string& path = single_file(args);
  const processing::BinningZones zones = zones_option(args);
  const std::string out = required(args, "-o");
  choice(args, "--bitpix", {8, 16, 32}, 0);
  auto frame = std::make_unique<core::ImageFrame>();
  if (!read_frame(args, path, *frame, ui)) return kExitFailed;
  const auto binned = processing::bin_zones(*frame, zones);
  if (!binned) {
    ui.message(binned.error());
    return kExitFailed;
  }
  const int status = write_frame(*frame, out, written_bitpix(args, *frame), ui);
  if (status == kExitDone) {
    ui.print_result(core::CliUserInterface::one_line(processing::binning_completion(*binned)));
  }
  return status;
}

int run_profile(const ParsedArgs& args, core::CliUserInterface& ui) {
  const std::string& path = single_file(args);
  const int row = core::round_to_i32(core::val(required(args, "--row")));
  const std::string out = required(args, "-o");
  processing::ProfileAxis axis;
  if (const auto wavelength = args.value("--wavelength")) {
    axis.wavelength = true;
    std::tie(axis.start, axis.end) = number_pair("--wavelength", *wavelength);
  }
  auto frame = std::make_unique<core::ImageFrame>();
  if (!read_frame_with_row(args, path, row, *frame, ui)) return kExitFailed;
  if (core::Status written = processing::write_profile_files(*frame, row, out, axis); !written) {
    ui.message(written.error());
    return kExitFailed;
  }
  ui.print_result("Completion ,save to " + out);
  return kExitDone;
}

int run_bow(const ParsedArgs& args, core::CliUserInterface& ui) {
  const std::string& path = single_file(args);
  const std::string table = required(args, "--table");
  const std::string out = required(args, "-o");
  choice(args, "--bitpix", {8, 16, 32}, 0);
  const auto shifts = processing::read_bow_table(table);
  if (!shifts) {
    ui.message(shifts.error());
    return kExitFailed;
  }
  auto frame = std::make_unique<core::ImageFrame>();
  if (!read_frame(args, path, *frame, ui)) return kExitFailed;
  processing::bow_correct(*frame, *shifts);
  const int status = write_frame(*frame, out, written_bitpix(args, *frame), ui);
  if (status == kExitDone) ui.print_result(core::statistics_show(*frame));
  return status;
}

}  // namespace

void add_spectrum_commands(CommandTable& table) {
  table["bin"] = {
      "bin FILE --zone UPPER:LOWER [--zone ...] -o OUT [--bitpix 8|16|32] ",
      "sums the rows of up to five zones per column into every row of the zones (binning)",
      with_read_options({{"--zone", "UPPER:LOWER",
                          "a zone's upper and lower row, in use when LOWER > UPPER; up to five, "
                          "in order",
                          "at least one"},
                         output_option("the FITS file to write"),
                         bitpix_option()}),
      run_bin};
  table["profile"] = {
      "profile FILE --row R -o NAME.txt [--wavelength START:END] ",
      "writes a row's profile files NAME.txt, NAME.djm (negated) and NAME-inv.djm",
      with_read_options(
          {{"--row", "R", "the frame row, from 0", "required"},
           output_option("the profile file; the two others are named after it"),
           {"--wavelength", "START:END", "the wavelengths of the first and last column in Angstrom",
            "default column numbers"}}),
      run_profile};
  table["bow"] = {
      "bow FILE --table bow.csv -o OUT [--bitpix 8|16|32] ",
      "shifts each row horizontally by its amount from the table (bow correction)",
      with_read_options({{"--table", "FILE", "records \"row,shift\", one a line", "required"},
                         output_option("the FITS file to write"),
                         bitpix_option()}),
      run_bow};
}

}  // namespace orvane::cli
