// The photometry commands: one "Photometry" press on a frame (measure).
#include <memory>

#include "cli_support.h"
#include "core/number_text.h"
#include "photometry/photometry_run.h"
#include "photometry_options.h"

namespace orvane::cli {
namespace {

using photometry::Position;

std::string position_text(Position p) {
  return std::to_string(p.x) + "," + std::to_string(p.y);
}

int run_measure(const ParsedArgs& args, const Streams& io) {
  const std::string& path = single_file(args);
  PhotometryOptions options;
  if (!read_photometry_options(args, options, io)) return kExitFailed;
  auto frame = std::make_unique<core::ImageFrame>();
  if (!read_frame(args, path, *frame, io)) return kExitFailed;

  const photometry::RunResult run =
      photometry::measurement_run(*frame, options.settings, options.table, options.table.entries);
  if (run.no_star) print(io.err, "No Star");
  static const char* const kNames[] = {"comp", "var", "check"};
  for (int star = 0; star < 3; ++star) {
    if (run.magnitudes[star]) {
      print(io.out, std::string(kNames[star]) + " " + core::str_trimmed(*run.magnitudes[star]));
    }
  }
  for (int star = 0; star < 3; ++star) {
    const int slot = photometry::kStarSlots[star];
    print(io.out, std::string(kNames[star]) + "-pos " + position_text(run.positions[slot]));
  }
  if (options.settings.sky_mode == 0) {
    for (int star = 0; star < 3; ++star) {
      const int slot = photometry::kStarSlots[star] + 1;
      print(io.out, std::string(kNames[star]) + "-sky-pos " + position_text(run.positions[slot]));
    }
  }
  if (run.no_star) return kExitFailed;

  const photometry::MagnitudeValues boxes{*run.magnitudes[photometry::kComparisonStar],
                                          *run.magnitudes[photometry::kVariableStar],
                                          *run.magnitudes[photometry::kCheckStar]};
  const photometry::PhotometryLines lines =
      photometry::photometry_lines(*frame, boxes, options.settings.digits, options.details);
  print(io.out, "observation: " + lines.observation);
  if (lines.report) print(io.out, "report: " + *lines.report);
  return kExitDone;
}

}  // namespace

void add_photometry_commands(CommandTable& table) {
  table["measure"] = {"measure FILE " + photometry_options_usage(), photometry_option_specs({}),
                      run_measure};
}

}  // namespace orvane::cli
