#pragma once

#include <vector>

#include "cli_support.h"
#include "lightcurve/aavso_report.h"
#include "lightcurve/light_curve_data.h"

namespace orvane::cli {

// The options report takes for --format aavso.
std::vector<OptionSpec> aavso_options();
// The report's fields from the options; a usage error for a missing or malformed one, or an
// -o that is not a .txt, .csv or .tsv file.
lightcurve::AavsoFields aavso_fields(const ParsedArgs& args);
// Writes the AAVSO file of the records in use (-o); prints the problems and writes nothing
// when the report has any.
int run_aavso_report(const ParsedArgs& args, const lightcurve::AavsoFields& fields,
                     const lightcurve::LightCurveData& data, core::CliUserInterface& ui);

}  // namespace orvane::cli
