// The sample night measured with the program's defaults, against the generator's true fluxes.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <iostream>
#include <map>
#include <memory>
#include <string>

#include "core/fits_reader.h"
#include "core/number_text.h"
#include "core/text_file.h"
#include "photometry/photometry_run.h"
#include "support/temp_dir.h"
#include "test_frames.h"

namespace orvane::photometry {
namespace {

// "name value" lines of the generator's text files ("comp 153,317", "night_001.fit 0.2562").
std::map<std::string, std::string> named_values(const std::string& path) {
  std::map<std::string, std::string> out;
  const auto lines = core::read_text_lines(path);
  for (const std::string& line : lines.value()) {
    const auto blank = line.find(' ');
    if (line.rfind('#', 0) != 0 && blank != std::string::npos)
      out[line.substr(0, blank)] = line.substr(blank + 1);
  }
  return out;
}

Position position_of(const std::string& text) {
  return {static_cast<int>(core::val(text)),
          static_cast<int>(core::val(text.substr(text.find(',') + 1)))};
}

TEST(SampleNight, DefaultMeasurementFollowsTheTrueLightCurve) {
  test::TempDir dir;
  const std::string folder = dir.file("night") + "/";
  ASSERT_EQ(
      std::system((std::string(MAKE_SAMPLE_NIGHT_PATH) + " " + folder + " >/dev/null").c_str()), 0);
  auto stars = named_values(folder + "stars.txt");
  const auto truth = named_values(folder + "truth.txt");
  ASSERT_EQ(truth.size(), 60u);
  // Circle 3, ring 10..20, span 15, "Peak cast & Move position", 2 digits; one table carries
  // the positions from frame to frame.
  const PhotometrySettings defaults;
  PositionTable table =
      stars_at(position_of(stars["comp"]), position_of(stars["var"]), position_of(stars["check"]));
  double vc_squares = 0, ck_squares = 0, worst = 0;
  std::string worst_frame;
  auto frame = std::make_unique<core::ImageFrame>();
  for (const auto& [name, true_vc] : truth) {  // night_001.fit, night_002.fit, ...
    ASSERT_TRUE(core::fits_read(*frame, folder + name).ok()) << name;
    const RunResult run = measurement_run(*frame, defaults, table, table.entries);
    ASSERT_FALSE(run.no_star) << name;
    const double c = *run.magnitudes[kComparisonStar];
    const double vc_error = *run.magnitudes[kVariableStar] - c - core::val(true_vc);
    const double ck_error = c - *run.magnitudes[kCheckStar] - (-0.5573);
    vc_squares += vc_error * vc_error;
    ck_squares += ck_error * ck_error;
    if (std::abs(vc_error) > std::abs(worst)) worst = vc_error, worst_frame = name;
  }
  const std::string vc_rms = core::format(std::sqrt(vc_squares / 60), "0.0000");
  const std::string ck_rms = core::format(std::sqrt(ck_squares / 60), "0.0000");
  const std::string worst_text = worst_frame + " " + core::format(worst, "0.0000");
  std::cout << "sample night: RMS V-C " << vc_rms << ", RMS C-K " << ck_rms << ", worst V-C error "
            << worst_text << "\n";
  RecordProperty("rms_v_minus_c", vc_rms);
  RecordProperty("rms_c_minus_k", ck_rms);
  RecordProperty("worst_v_minus_c", worst_text);
  EXPECT_LT(std::sqrt(vc_squares / 60), 0.015);
  EXPECT_LT(std::sqrt(ck_squares / 60), 0.015);
}

}  // namespace
}  // namespace orvane::photometry
