// orvane-cli dark, flat, batch-dark, batch-flat, composite and bzero, run as processes.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cli_run.h"
#include "processing/processing_files.h"
#include "support/fits_builder.h"
#include "support/temp_dir.h"

namespace {

using orvane::test::CliRun;
using orvane::test::FitsBuilder;
using orvane::test::Pixels;
using orvane::test::pixels_of;
using orvane::test::read_bytes;

class ProcessingCli : public ::testing::Test {
 protected:
  CliRun cli(const std::string& arguments) { return orvane::test::run_cli(dir_, arguments); }

  // A BITPIX 16 file of one row (no BZERO: words read unsigned).
  std::string fits(const std::string& name, const std::vector<int>& values) {
    return orvane::test::write_fits16(dir_.file(name), int(values.size()), 1, values);
  }
  std::string folder(const std::string& name) {
    std::filesystem::create_directories(dir_.file(name));
    return dir_.file(name);
  }

  orvane::test::TempDir dir_;
};

TEST_F(ProcessingCli, DarkAndFlatWriteTheCorrectedFrame) {
  const std::string frame = fits("frame.fit", {100, 500});
  const std::string dark = fits("dark.fit", {120, 20});
  const std::string out = dir_.file("out.fit");
  // Keeping 100 - 120 = -20 needs a 32-bit file; 500 - 20 = 480, average 230.
  CliRun r =
      cli("dark " + frame + " --keep-negative --dark=" + dark + " -o " + out + " --bitpix 32");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "max 480 / min-20 / ave 230\n");
  EXPECT_EQ(pixels_of(out), (Pixels{-20, 480}));

  // Flat 1000, 3000 (mean 2000): 500 / 1000 * 2000 and 1500 / 3000 * 2000 are both 1000.
  const std::string image = fits("image.fit", {500, 1500});
  r = cli("flat --flat " + fits("flat.fit", {1000, 3000}) + " " + image + " -o " + out);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(pixels_of(out), (Pixels{1000, 1000}));

  const std::string wide = fits("wide.fit", {1, 2, 3});
  const std::string nowhere = dir_.file("never.fit");
  r = cli("dark --dark " + wide + " " + frame + " -o " + nowhere);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err,
            wide + ": the reference is 3 x 1, the image 2 x 1; both must be the same size\n");
  EXPECT_FALSE(std::filesystem::exists(nowhere));
  EXPECT_EQ(cli("dark " + frame + " -o " + out).status, 2);  // no --dark
}

TEST_F(ProcessingCli, BatchesRewriteTheFolderOrTheFilesGiven) {
  const std::string night = folder("night"), a = fits("night/a.fit", {100, 200});
  orvane::test::write_bytes(dir_.file("night/notes.txt"), "keep me");
  CliRun r = cli("batch-dark --dark " + fits("dark.fit", {80, 100}) + " " + night);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "processed 1, skipped 0\n");
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(pixels_of(a), (Pixels{20, 100}));
  EXPECT_EQ(read_bytes(dir_.file("night/notes.txt")), "keep me");

  // A BITPIX -32 file is left out and named. Flat 1000, 3000 (mean 2000): 20 * 2000 / 1000 = 40
  // and 100 * 2000 / 3000 = 66.67 gives 67.
  const std::string real =
      FitsBuilder::image(-32, 2, 1).end().f32({1, 2}).pad().write(dir_.file("real.fit"));
  r = cli("batch-flat " + a + " " + real + " --flat " + fits("flat.fit", {1000, 3000}));
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "processed 1, skipped 1\n");
  EXPECT_EQ(r.err, "1 file was left out: / " + real +
                       ": BITPIX -32 is not rewritten (as integers its fractions would be lost)\n");
  EXPECT_EQ(pixels_of(a), (Pixels{40, 67}));
}

TEST_F(ProcessingCli, CompositeWritesPrefixedMeansWhereTold) {
  const std::string series = folder("series");
  const std::vector<std::vector<int>> values = {{1, 10}, {2, 20}, {2, 30}, {3, 40}};
  for (std::size_t i = 0; i < values.size(); ++i) {
    fits("series/" + std::string(1, char('a' + i)) + ".fit", values[i]);
  }
  const std::string out = folder("out");
  CliRun r = cli("composite -n 3 " + series + " --outdir " + out);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "written 2, skipped 0\n");
  // (1+2+2)/3 = 1.67 gives 2, (10+20+30)/3 = 20.
  EXPECT_EQ(pixels_of(out + "/c3_b.fit"), (Pixels{2, 20}));
  EXPECT_TRUE(std::filesystem::exists(out + "/c3_c.fit"));
  EXPECT_EQ(cli("composite -n 4 " + series).status, 2);
}

TEST_F(ProcessingCli, BzeroRefusesABadTextBeforeTouchingAnyFile) {
  const std::string a = FitsBuilder::image(16, 1, 1)
                            .add("BZERO", "32768")
                            .end()
                            .u16({1})
                            .pad()
                            .write(dir_.file("a.fit"));
  const std::string before = read_bytes(a);
  CliRun r = cli("bzero --bzero abc --bscale 1 " + a);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "BZERO \"abc\" is not a number\n");
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(read_bytes(a), before);

  r = cli("bzero --bzero 0 --bscale 1 " + a);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "processed 1, skipped 0\n");
  EXPECT_EQ(read_bytes(a).substr(5 * 80, 30), "BZERO   =                    0");
}

TEST_F(ProcessingCli, MissingInputsAreRefusedBeforeAnyFileIsTouched) {
  const std::string a = fits("a.fit", {100, 200}), dark = fits("dark.fit", {80, 100});
  const std::string before = read_bytes(a);
  const std::string missing = dir_.file("missing"), empty = folder("empty");
  const struct {
    std::string args;
    std::string err;
  } cases[] = {
      {"batch-dark --dark " + dark + " " + missing,
       missing + ": cannot be opened (No such file or directory)\n"},
      {"bzero --bzero 0 --bscale 1 " + a + " " + missing + ".fit",
       missing + ".fit: cannot be opened (No such file or directory)\n"},
      {"composite -n 3 " + empty,
       empty + ": no FITS file in the folder (names ending in .fit, .fts or .fits)\n"},
  };
  for (const auto& c : cases) {
    CliRun r = cli(c.args);
    EXPECT_EQ(r.status, 1) << c.args;
    EXPECT_EQ(r.err, c.err);
    EXPECT_EQ(r.out, "") << c.args;
    EXPECT_EQ(read_bytes(a), before) << c.args;
  }
}

}  // namespace
