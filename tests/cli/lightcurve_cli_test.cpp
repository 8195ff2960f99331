// orvane-cli lightcurve and report run as a process.
#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <string>

#include "cli_run.h"
#include "support/fits_builder.h"
#include "support/temp_dir.h"

namespace {

using orvane::test::read_bytes;
using orvane::test::TempDir;
using orvane::test::write_bytes;

using orvane::test::CliRun;

// 21:30 and 02:15: C-K -0.5 and -0.25, V-C 1.5 and 1.25.
const std::string kFirst = "03/02/00 21:30:00 030 Check=012.00 Comp=011.50 Var=013.00 /obs/a.fit";
const std::string kSecond = "04/02/00 02:15:00 030 Check=012.00 Comp=011.75 Var=013.00 /obs/b.fit";

class LightCurveCli : public ::testing::Test {
 protected:
  LightCurveCli() { write_bytes(data_, ";night one\r\n" + kFirst + "\r\n\r\n" + kSecond + "\r\n"); }

  CliRun cli(const std::string& arguments) { return orvane::test::run_cli(dir_, arguments); }

  TempDir dir_;
  const std::string data_ = dir_.file("mag_est.txt");
};

TEST_F(LightCurveCli, PrintsCountsErrorAndAxes) {
  const struct {
    const char* name;
    std::string options;
    std::string out;
  } cases[] = {
      // One record left: no scatter; the axes keep the ranges found when reading. Hours Int(21.5)
      // to Int(26.25) + 1; C-K tenths Int(-5) to Int(-2.5) + 1 = -2; V-C Int(12.5) to Int(15) + 1.
      {"one deleted", " --delete 2",
       "records 2, in use 1\nPhotometry error = 0.0000\n"
       "hours 21 27\nC-K -0.5 -0.2\nV-C 1.2 1.6\n"},
      {"repeated option", " --delete 1 --delete=2", "records 2, in use 0\nPhotometry error =\n"},
  };
  for (const auto& c : cases) {
    CliRun r = cli("lightcurve " + data_ + c.options);
    EXPECT_EQ(r.status, 0) << c.name << ": " << r.err;
    EXPECT_EQ(r.out, c.out) << c.name;
    EXPECT_EQ(r.err, "") << c.name;
  }
}

TEST_F(LightCurveCli, SaveWritesTheFileBackWithoutTheDeletedRecords) {
  const std::string before = read_bytes(data_);
  CliRun r = cli("lightcurve " + data_ + " --delete 1");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(read_bytes(data_), before);  // nothing written without --save
  r = cli("lightcurve " + data_ + " --delete 1 --save");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(read_bytes(data_), ";night one\r\n" + kSecond + "\r\n");
}

TEST_F(LightCurveCli, RefusalsAndWrongUsage) {
  const std::string missing = dir_.file("none.txt");
  CliRun r = cli("lightcurve " + missing);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, missing + ": No such file or directory\n");

  r = cli("lightcurve " + data_ + " --delete 3");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, data_ + ": there is no record 3\n");
  r = cli("report " + data_ + " --star ANDABCDEFGHIJKLMNOPQR --comp-mag 10 --band V --observer A");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "Star ANDABCDEFGHIJKLMNOPQR: at most 20 characters\n");

  for (const std::string& args : {"lightcurve " + data_ + " --delete 1,x",
                                  "lightcurve " + data_ + " -o " + dir_.file("plot.gif"),
                                  "report " + data_ + " --star CASRZ --band V --observer A"}) {
    r = cli(args);
    EXPECT_EQ(r.status, 2) << args;
    EXPECT_NE(r.err.find("usage: orvane-cli"), std::string::npos) << args;
  }
  EXPECT_FALSE(std::filesystem::exists(dir_.file("sdata2.std")));
}

TEST_F(LightCurveCli, ReportWritesBothFiles) {
  const std::string out_dir = dir_.file("reports");
  std::filesystem::create_directory(out_dir);
  CliRun r = cli("report " + data_ +
                 " --star CASRZ --comp-mag 10 --band V --observer ABC --place 'Taro Tokyo'"
                 " --instruments 'L 20cm' --delete 2 --outdir " +
                 out_dir);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "Completion, file name is sdata2.std\n");
  EXPECT_TRUE(std::filesystem::exists(out_dir + "/sdata2.2"));
  // 21:30:00 + 15 s on the night of 3 February 2000; 10 + 1.5 = 11.50.
  const std::string report = read_bytes(out_dir + "/sdata2.std");
  EXPECT_NE(report.find("\r\nCASRZ 20000203213015 11.50V ABC\r\n"), std::string::npos);
  EXPECT_NE(report.find("\r\nobserver: Taro Tokyo\r\ninstruments: L 20cm\r\n"), std::string::npos);
}

TEST_F(LightCurveCli, PlotHoldsBothChartsWithThePoints) {
  const std::string plot = dir_.file("plot.png");
  CliRun r = cli("lightcurve " + data_ + " -o " + plot);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  QImage picture(QString::fromStdString(plot));
  ASSERT_EQ(picture.size(), QSize(600, 600));  // two 600 x 300 charts, C-K above V-C
  // The first record in the upper chart: hours 21..27 over 540 pixels from 30, 21.5 h at
  // 30 + Int(45 + 0.5) = 75; C-K -0.5 at the top of the plot, 15.
  EXPECT_EQ(picture.pixel(75, 15), qRgb(0, 128, 0));
}

}  // namespace
