#include "lightcurve/photometry_error.h"

#include <cmath>

#include "core/number_text.h"

namespace orvane::lightcurve {

std::optional<double> photometry_error(const LightCurveData& data) {
  double sum = 0;
  std::size_t count = 0;
  for (const Record& r : data.records) {
    if (!r.in_use()) continue;
    sum += r.check_minus_comp();
    ++count;
  }
  if (count == 0) return std::nullopt;
  const double mean = sum / static_cast<double>(count);
  double squares = 0;
  for (const Record& r : data.records) {
    if (r.in_use()) squares += (r.check_minus_comp() - mean) * (r.check_minus_comp() - mean);
  }
  return std::sqrt(squares / static_cast<double>(count));
}

std::string photometry_error_number(std::optional<double> error) {
  return error ? core::format(*error, "#0.0000") : std::string();
}

std::string photometry_error_text(std::optional<double> error) {
  return error ? "Photometry error = " + photometry_error_number(error) : "Photometry error =";
}

}  // namespace orvane::lightcurve
