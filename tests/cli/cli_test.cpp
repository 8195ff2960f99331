// orvane-cli run as a process, the way scripts use it.
#include <gtest/gtest.h>

#include <QImage>
#include <utility>

#include "cli_run.h"
#include "core/fits_reader.h"
#include "support/fits_builder.h"
#include "support/temp_dir.h"

namespace {

using orvane::test::FitsBuilder;
using orvane::test::TempDir;

using orvane::test::CliRun;

class Cli : public ::testing::Test {
 protected:
  CliRun cli(const std::string& arguments) { return orvane::test::run_cli(dir_, arguments); }

  // 3 x 2 frame, BITPIX 16 with BZERO 32768: values 100, 200, 300 / 400, 40000, 1000, stored
  // as value - 32768.
  std::string small_frame(const std::string& name) {
    FitsBuilder b = FitsBuilder::image(16, 3, 2).add("BZERO", "32768").add("BSCALE", "1").end();
    return b.i16({-32668, -32568, -32468, -32368, 7232, -31768}).pad().write(dir_.file(name));
  }

  TempDir dir_;
};

TEST_F(Cli, InfoPrintsTheFrameRequestedPixelsAndTheHeader) {
  const std::string path = small_frame("img.fit");
  CliRun r = cli("info " + path + " --pixel 1,1 --pixel=2,0");
  EXPECT_EQ(r.status, 0) << r.err;
  // Sum 42000 over 6 pixels: average 7000.
  EXPECT_EQ(r.out, "file: " + path +
                       "\nsize: 3 x 2\nplanes: -1\nbitpix: 16\nfloat: 0\nbzero: 32768\n"
                       "bscale: 1\nheader cards: 36\nmax 40000 / min 100 / ave 7000\n"
                       "pixel 1,1 = 40000\npixel 2,0 = 300\n");
  EXPECT_EQ(r.err, "");

  // After the 9 lines above, every one of the 36 slots as stored: SIMPLE first, END on card 8.
  r = cli("info " + path + " --header");
  ASSERT_EQ(r.status, 0);
  const std::string card_lines = r.out.substr(r.out.find("\nSIMPLE") + 1);
  ASSERT_EQ(card_lines.size(), 36u * 81u);
  EXPECT_EQ(card_lines.substr(0, 81), FitsBuilder::card("SIMPLE", "T") + "\n");
  EXPECT_EQ(card_lines.substr(7 * 81, 81), FitsBuilder::raw_card("END") + "\n");
}

TEST_F(Cli, WrongUsageExitsTwoWithTheUsageLine) {
  const std::string path = small_frame("img.fit");
  const std::vector<std::string> cases = {
      "frobnicate " + path,
      "info " + path + " --bogus",
      "info " + path + " --pixel '1;1'",
      "render " + path + " -o " + dir_.file("a.png") + " --scale 3",
      "render " + path + " -o " + dir_.file("a.gif"),
      "render " + path + " -o " + dir_.file("a.png") + " --read-add 1 --read-mul 2",
      "save " + path,
      "save " + path + " -o " + dir_.file("b.fit") + " --bitpix 12",
  };
  for (const auto& c : cases) {
    CliRun r = cli(c);
    EXPECT_EQ(r.status, 2) << c;
    EXPECT_NE(r.err.find("usage: orvane-cli"), std::string::npos) << c;
    EXPECT_EQ(r.out, "") << c;
  }
}

TEST_F(Cli, RefusedReadVersionAndHelp) {
  // A refused read exits 1 and prints only the reader's message.
  const std::string path = FitsBuilder::image(64, 2, 2).end().write(dir_.file("deep.fit"));
  CliRun r = cli("info " + path);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, path + "BITPIX error : BITPIX = 64\n");
  r = cli("--version");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "Orvane Version 1.01\n");

  // Help: every command on a line of its own with what it does; a command's help gives its usage
  // line and each option with its default.
  const auto line_after = [](const std::string& text, const std::string& start) {
    const auto at = text.find("\n" + start);
    if (at == std::string::npos) return std::string("[no line]");
    const auto from = at + 1 + start.size();
    const std::string rest = text.substr(from, text.find('\n', from) - from);
    return rest.substr(std::min(rest.size(), rest.find_first_not_of(' ')));
  };
  r = cli("--help");
  EXPECT_EQ(r.status, 0);
  for (const std::string command :
       {"info", "save", "render", "rotate", "measure", "photometry", "lightcurve", "report", "dark",
        "flat", "batch-dark", "batch-flat", "composite", "bzero"}) {
    const std::string description = line_after(r.out, "  " + command + " ");
    EXPECT_GT(description.size(), 20u) << command << ": " << description;
  }
  r = cli("render --help");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out.rfind("usage: orvane-cli render FILE -o OUT", 0), 0u);
  EXPECT_TRUE(line_after(r.out, "  --quality Q ").ends_with("(default 50)")) << r.out;
}

TEST_F(Cli, SaveAndRotateWriteFilesTheReaderGetsBack) {
  const std::string path = small_frame("img.fit");
  const std::string out = dir_.file("out.fit");
  CliRun r = cli("save " + path + " -o " + out + " --bitpix 8");
  EXPECT_EQ(r.status, 0) << r.err;
  // 300, 400, 40000 and 1000 are above 255.
  EXPECT_EQ(r.err, out + ": 4 values lowered to 255\n");
  orvane::core::ImageFrame frame;
  ASSERT_TRUE(orvane::core::fits_read(frame, out));
  EXPECT_EQ(frame.bitpix, 8);
  EXPECT_EQ(std::pair(frame.pixels.at(0, 0), frame.pixels.at(1, 1)), std::pair(100, 255));

  // Turned: 100 200 300 / 400 40000 1000 becomes 1000 40000 400 / 300 200 100.
  ASSERT_EQ(cli("rotate " + path + " -o " + out).status, 0);
  ASSERT_TRUE(orvane::core::fits_read(frame, out));
  EXPECT_EQ(std::pair(frame.pixels.at(0, 0), frame.pixels.at(1, 0)), std::pair(1000, 40000));
  EXPECT_EQ(frame.pixels.at(2, 1), 100);
}

TEST_F(Cli, RenderDrawsTheLastPixelOfEachBlockWithTheGivenContrast) {
  const std::string path = small_frame("img.fit");
  const std::string out = dir_.file("pic.PNG");
  CliRun r = cli("render " + path + " -o " + out + " --scale 2 --range 4000 --background 0");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "range 4000 / background 0\n");
  QImage picture(QString::fromStdString(out));
  ASSERT_EQ(picture.size(), QSize(2, 1));  // ceil(3/2) x ceil(2/2)
  // Display (1,0) shows frame (2,1) = 1000: floor(1000 / 4000 * 256 + 0.5) = floor(64.5) = 64.
  EXPECT_EQ(qGray(picture.pixel(1, 0)), 64);
}

}  // namespace
