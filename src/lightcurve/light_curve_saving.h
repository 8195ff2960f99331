#pragma once

#include <string>

#include "core/result.h"
#include "lightcurve/light_curve_data.h"

// Writing the data file back without the records marked deleted.
namespace orvane::lightcurve {

// "Do you want to save a photometry data? " and the file name: asked before saving.
std::string save_question(const LightCurveData& data);

// The file's new text: the comment first (with ";" put in front when it lacks one), the records
// in use as they were read, then the records beyond the held ones unchanged; CR LF line ends.
std::string saved_text(const LightCurveData& data);

// Replaces data.path with saved_text() atomically: a failure leaves the old file as it was.
core::Status save_light_curve(const LightCurveData& data);

}  // namespace orvane::lightcurve
