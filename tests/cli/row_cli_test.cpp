// orvane-cli filter, limb, calc, incline, fit, bin, profile and bow, run as processes: the wiring
// of each command.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cli_run.h"
#include "core/number_text.h"
#include "core/text_file.h"
#include "processing/processing_files.h"

namespace {

using orvane::test::CliRun;
using orvane::test::Pixels;
using orvane::test::pixels_of;

class RowCli : public ::testing::Test {
 protected:
  CliRun cli(const std::string& arguments) { return orvane::test::run_cli(dir_, arguments); }
  std::string fits(const std::string& name, const std::vector<int>& row) {
    return orvane::test::write_fits16(dir_.file(name), int(row.size()), 1, row);
  }

  orvane::test::TempDir dir_;
};

TEST_F(RowCli, EachCommandWritesItsStepsResult) {
  const struct {
    std::string command;
    std::vector<int> row;
    std::string out;
    Pixels written;
  } cases[] = {
      {"filter 3point", {0, 0, 3, 0, 0}, "completion\n", {0, 1, 1, 1, 0}},
      // 1100 / (11 - 1) = 110.
      {"limb", std::vector<int>(11, 100), "max 110 / min 110 / ave 110\n", Pixels(11, 110)},
      {"calc add 100.0", {5, 7}, "max 107 / min 105 / ave 106\n", {105, 107}},
      {"calc add -5", {5, 7}, "max 2 / min 0 / ave 1\n", {0, 2}},  // a negative value is no option
      {"incline", {10, 20, 30, 40}, "max 30 / min 30 / ave 30\n", {30, 30, 30, 30}},
  };
  for (const auto& c : cases) {
    const std::string out = dir_.file("out.fit");
    const CliRun r = cli(c.command + " " + fits("in.fit", c.row) + " -o " + out);
    EXPECT_EQ(r.status, 0) << c.command << ": " << r.err;
    EXPECT_EQ(r.out, c.out) << c.command;
    EXPECT_EQ(pixels_of(out), c.written) << c.command;
    std::filesystem::remove(out);
  }
  // Too few columns for the degree-5 fit: said on stderr, the row written as it was.
  const CliRun left = cli("filter poly5 " + fits("in.fit", {1, 2}) + " -o " + dir_.file("o.fit"));
  EXPECT_EQ(left.err, "1 row was left unchanged: no fit could be made for them\n");
  EXPECT_EQ(pixels_of(dir_.file("o.fit")), (Pixels{1, 2}));
  EXPECT_EQ(cli("filter median " + fits("in.fit", {1}) + " -o " + dir_.file("x.fit")).status, 2);
}

TEST_F(RowCli, FitPrintsCoefficientsThatReadBackOrRefusesARowOutside) {
  const std::string quadratic = fits("q.fit", {7, 8, 15, 28, 47});  // 3x^2 - 2x + 7
  CliRun r = cli("fit " + quadratic + " --row 0 --degree 2");
  ASSERT_EQ(r.status, 0) << r.err;
  std::vector<double> coefficients;
  for (const auto& line : orvane::core::split_lines(r.out)) {
    coefficients.push_back(orvane::core::val(line));
  }
  ASSERT_EQ(coefficients.size(), 3u) << r.out;
  EXPECT_NEAR(coefficients[0], 3, 1e-9);
  EXPECT_NEAR(coefficients[1], -2, 1e-9);
  EXPECT_NEAR(coefficients[2], 7, 1e-9);

  r = cli("fit " + quadratic + " --row 1 --degree 2");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, quadratic + ": row 1 is outside the 5 x 1 frame\n");
  EXPECT_EQ(r.out, "");
}

TEST_F(RowCli, SpectrumCommandsBinWriteProfilesAndCorrectTheBow) {
  const std::string column = orvane::test::write_fits16(dir_.file("c.fit"), 1, 3, {1, 2, 3});
  // 1 + 2 + 3 in every row; the spare column's sum 0 is the minimum.
  CliRun r = cli("bin " + column + " --zone 0:2 -o " + dir_.file("b.fit"));
  EXPECT_EQ(r.out, "Completion / max = 6 / min = 0\n") << r.err;
  EXPECT_EQ(pixels_of(dir_.file("b.fit")), (Pixels{6, 6, 6}));
  EXPECT_EQ(cli("bin " + column + " -o " + dir_.file("b.fit")).status, 2);

  r = cli("profile " + column + " --row 1 -o " + dir_.file("p.txt"));
  EXPECT_EQ(r.out, "Completion ,save to " + dir_.file("p.txt") + "\n") << r.err;
  EXPECT_EQ(orvane::test::read_bytes(dir_.file("p.djm")), " 0" + std::string(12, ' ') + "-2 \r\n");

  // A shift of 1: 1 2 3 becomes 1 1 2.
  ASSERT_TRUE(orvane::core::write_file_atomically(dir_.file("bow.csv"), "0,1\r\n").ok());
  const std::string row = fits("r.fit", {1, 2, 3});
  r = cli("bow " + row + " --table " + dir_.file("bow.csv") + " -o " + dir_.file("w.fit"));
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(pixels_of(dir_.file("w.fit")), (Pixels{1, 1, 2}));
  r = cli("bow " + row + " --table " + dir_.file("none.csv") + " -o " + dir_.file("w.fit"));
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, dir_.file("none.csv") + ": No such file or directory\n");
}

}  // namespace
