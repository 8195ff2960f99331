// orvane-cli measure: one "Photometry" press on a frame built here.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli_run.h"
#include "support/fits_builder.h"
#include "support/temp_dir.h"

namespace {

using orvane::test::FitsBuilder;

using Output = orvane::test::CliRun;

// 64 x 64, background 1000, three stars of 3 x 3 pixels (a fifth of the flux on the centre, a
// tenth on each neighbour): comparison 1000 at (16, 16), variable 10000 at (44, 20), check 100
// at (20, 46). Written as BITPIX 16 with BZERO 32768, values stored minus 32768.
class Measure : public ::testing::Test {
 protected:
  void SetUp() override {
    std::vector<int> values(64 * 64, 1000);
    const struct { int x, y, flux; } stars[] = {{16, 16, 1000}, {44, 20, 10000}, {20, 46, 100}};
    for (const auto& s : stars)
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
          values[(s.y + dy) * 64 + s.x + dx] += dx == 0 && dy == 0 ? s.flux / 5 : s.flux / 10;
    for (int& v : values) v -= 32768;
    write(values);
  }

  void write(const std::vector<int>& values) {
    values_ = values;
    path_ = FitsBuilder::image(16, 64, 64)
                .add("BZERO", "32768")
                .add("BSCALE", "1")
                .add_raw("DATE-OBS= '15/01/03'")
                .add_raw("UT      = '21:04:10'")
                .add("EXPTIME", "30.")
                .end()
                .i16(values)
                .pad()
                .write(dir_.file("frame.fit"));
  }

  // Stars given a pixel off their centres; the peak search (span 15) finds them.
  Output measure(const std::string& options) {
    return orvane::test::run_cli(
        dir_, "measure " + path_ + " --comp 15,17 --var 45,19 --check 21,45 " + options);
  }

  orvane::test::TempDir dir_;
  std::string path_;
  std::vector<int> values_;  // as stored: value - 32768
};

// The comparison star's centre at 65535, the most BITPIX 16 with BZERO 32768 holds: named on
// stderr, the run otherwise unchanged. --saturation 3000 reaches the variable's centre
// (1000 + 10000 / 5).
TEST_F(Measure, SaturatedStarsNamed) {
  Output r = measure("--saturation 3000");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "frame.fit: variable star saturated (peak 3000)\n");
  std::vector<int> values = values_;
  values[16 * 64 + 16] = 65535 - 32768;
  write(values);
  r = measure("");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "frame.fit: comparison star saturated (peak 65535)\n");
  EXPECT_NE(r.out.find("observation: 15/01/03 21:04:10 030 "), std::string::npos);
}

TEST_F(Measure, PrintsMagnitudesPositionsAndTheClipboardLines) {
  // Square 3 x 3 boxes hold each whole star and the sky boxes, moved with their stars by (+1,-1),
  // (-1,+1), (-1,+1) from (35,17), (35,30), (41,45), only background, so the signals are the
  // fluxes: 20 - 2.511886432 log10(F) is 12.464340704 (1000), 9.952454272 (10000) and
  // 14.976227136 (100). Estimate 12 - 12.46 + 9.95 = 9.49; middle of the exposure 21:04:25.
  const Output r = measure(
      "--star RCas --comp-mag 12 --band V --observer ABC --shape square --sky aperture "
      "--var-sky 35,30");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "comp 12.46\nvar 9.95\ncheck 14.98\ncomp-pos 16,16\nvar-pos 44,20\ncheck-pos 20,46\n"
            "comp-sky-pos 36,16\nvar-sky-pos 34,31\ncheck-sky-pos 40,46\n"
            "observation: 15/01/03 21:04:10 030 Check= 14.98 Comp= 12.46 Var= 9.95\n"
            "report: RCas 20030115210425 K= 14.98 C= 12.46 V= 9.95  9.49V ABC\n");
  EXPECT_EQ(r.err, "");
}

TEST_F(Measure, RefusalsAndNoStar) {
  Output r = measure("--sky-inner 3");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "Aperture > Sky , error\n");
  EXPECT_EQ(r.out, "");
  r = measure("--sky aperture");  // the default circle has no sky boxes
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("usage: orvane-cli"), std::string::npos);

  // The last --comp given counts: on background, 37 x 1000 against a sky of 1000 x 37.
  r = measure("--position fixed --comp 32,56 --var 44,20 --check 20,46");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "No Star\n");
  EXPECT_EQ(r.out, "var 9.95\ncheck 14.98\ncomp-pos 32,56\nvar-pos 44,20\ncheck-pos 20,46\n");
}

}  // namespace
