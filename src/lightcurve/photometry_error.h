#pragma once

#include <optional>
#include <string>

#include "lightcurve/light_curve_data.h"

namespace orvane::lightcurve {

// The scatter of C-K over the records in use: the population standard deviation (divided by
// the count, not count - 1). Empty when no record is in use.
std::optional<double> photometry_error(const LightCurveData& data);

// "Photometry error = 0.0123"; just "Photometry error =" when there is no value.
std::string photometry_error_text(std::optional<double> error);

// The error as reports write it: Format "#0.0000", empty when there is no value.
std::string photometry_error_number(std::optional<double> error);

}  // namespace orvane::lightcurve
