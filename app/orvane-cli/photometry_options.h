#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cli_support.h"
#include "photometry/comparison_star.h"
#include "photometry/photometry_settings.h"
#include "photometry/position_table.h"

namespace orvane::cli {

// What the photometry options set: the settings of the Photometry menu and the "Sky area set"
// window, the star positions, and the comparison-star details of the report line.
struct PhotometryOptions {
  photometry::PhotometrySettings settings;
  photometry::PositionTable table;
  photometry::ComparisonStarDetails details;  // band_index -1 without --band
  // --saturation: the pixel value from which a star is named as saturated; empty for each
  // frame's own limit (BITPIX and BZERO).
  std::optional<std::int32_t> saturation;
};

// The options every photometry command takes.
std::vector<OptionSpec> photometry_option_specs(std::vector<OptionSpec> more);
std::string photometry_options_usage();

// Reads the options; wrong usage throws UsageError. Aperture and ring sizes the "Sky area set"
// window would refuse are printed with its message and give false.
bool read_photometry_options(const ParsedArgs& args, PhotometryOptions& options,
                             core::CliUserInterface& ui);

}  // namespace orvane::cli
