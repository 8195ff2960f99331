// orvane-cli dark, flat, batch-dark, batch-flat, composite and bzero, run as processes, and the
// writers under a file-size limit.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "core/fits_reader.h"
#include "support/fits_builder.h"
#include "support/temp_dir.h"

namespace {

using orvane::test::FitsBuilder;
using orvane::test::read_bytes;
using Pixels = std::vector<std::int32_t>;

struct CliResult {
  int status = -1;
  std::string out, err;
};

class ProcessingCli : public ::testing::Test {
 protected:
  // Runs orvane-cli with the arguments; a positive limit caps the size of every file it writes
  // (SIGXFSZ is left as it is: orvane-cli itself must ignore it).
  CliResult cli(const std::vector<std::string>& args, rlim_t limit = 0) {
    const std::string out = dir_.file("stdout.txt"), err = dir_.file("stderr.txt");
    const pid_t child = ::fork();
    if (child == 0) {
      const int out_fd = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      const int err_fd = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      ::dup2(out_fd, 1);
      ::dup2(err_fd, 2);
      if (limit > 0) {
        const rlimit cap{limit, limit};
        ::setrlimit(RLIMIT_FSIZE, &cap);
      }
      std::vector<char*> argv{const_cast<char*>(ORVANE_CLI_PATH)};
      for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
      argv.push_back(nullptr);
      ::execv(ORVANE_CLI_PATH, argv.data());
      ::_exit(127);
    }
    int raw = 0;
    ::waitpid(child, &raw, 0);
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, read_bytes(out), read_bytes(err)};
  }

  // A BITPIX 16 file of one row (no BZERO: words read unsigned).
  std::string fits(const std::string& name, const std::vector<int>& values, int comments = 0) {
    FitsBuilder b = FitsBuilder::image(16, int(values.size()), 1);
    for (int i = 0; i < comments; ++i) b.add_raw("COMMENT filler");
    return b.end().u16(values).pad().write(dir_.file(name));
  }
  std::string folder(const std::string& name) {
    std::filesystem::create_directories(dir_.file(name));
    return dir_.file(name);
  }

  static Pixels pixels_of(const std::string& path) {
    orvane::core::ImageFrame frame;
    if (!orvane::core::fits_read(frame, path).ok()) return {-999};
    Pixels values;
    for (int x = 0; x < frame.width; ++x) values.push_back(frame.pixels.at(x, 0));
    return values;
  }

  orvane::test::TempDir dir_;
};

TEST_F(ProcessingCli, DarkAndFlatWriteTheCorrectedFrame) {
  const std::string frame = fits("frame.fit", {100, 500});
  const std::string dark = fits("dark.fit", {120, 20});
  const std::string out = dir_.file("out.fit");
  // 100 - 120 becomes 0, 500 - 20 = 480; average 240.
  CliResult r = cli({"dark", "--dark", dark, frame, "-o", out});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "max 480 / min 0 / ave 240\n");
  EXPECT_EQ(pixels_of(out), (Pixels{0, 480}));
  // Keeping -20 needs a 32-bit file; average (480 - 20) / 2 = 230.
  r = cli({"dark", frame, "--keep-negative", "--dark=" + dark, "-o", out, "--bitpix", "32"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "max 480 / min-20 / ave 230\n");
  EXPECT_EQ(pixels_of(out), (Pixels{-20, 480}));

  // Flat 1000, 3000 (mean 2000): 500 / 1000 * 2000 and 1500 / 3000 * 2000 are both 1000.
  const std::string image = fits("image.fit", {500, 1500});
  r = cli({"flat", "--flat", fits("flat.fit", {1000, 3000}), image, "-o", out});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "max 1000 / min 1000 / ave 1000\n");
  EXPECT_EQ(pixels_of(out), (Pixels{1000, 1000}));

  const std::string wide = fits("wide.fit", {1, 2, 3});
  const std::string nowhere = dir_.file("never.fit");
  r = cli({"dark", "--dark", wide, frame, "-o", nowhere});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err,
            wide + ": the reference is 3 x 1, the image 2 x 1; both must be the same size\n");
  EXPECT_FALSE(std::filesystem::exists(nowhere));
  EXPECT_EQ(cli({"dark", frame, "-o", out}).status, 2);  // no --dark
}

TEST_F(ProcessingCli, BatchesRewriteTheFolderInPlace) {
  const std::string night = folder("night");
  const std::string a = fits("night/a.fit", {100, 200});
  const std::string b = fits("night/B.fts", {300, 400});
  const std::string c = fits("night/c.FITS", {1000, 50});
  orvane::test::write_bytes(dir_.file("night/notes.txt"), "keep me");
  const std::string dark = fits("dark.fit", {80, 100});
  CliResult r = cli({"batch-dark", "--dark", dark, night});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "processed 3, skipped 0\n");
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(pixels_of(a), (Pixels{20, 100}));
  EXPECT_EQ(pixels_of(b), (Pixels{220, 300}));
  EXPECT_EQ(pixels_of(c), (Pixels{920, 0}));
  EXPECT_EQ(read_bytes(dir_.file("night/notes.txt")), "keep me");

  // Files given one by one; a BITPIX -32 file is left out and named. Flat 1000, 3000 (mean
  // 2000): 20 * 2000 / 1000 = 40 and 100 * 2000 / 3000 = 66.67 gives 67.
  const std::string real =
      FitsBuilder::image(-32, 2, 1).end().f32({1, 2}).pad().write(dir_.file("real.fit"));
  r = cli({"batch-flat", a, real, "--flat", fits("flat.fit", {1000, 3000})});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "processed 1, skipped 1\n");
  EXPECT_EQ(r.err, "1 file was left out: / " + real +
                       ": BITPIX -32 is not rewritten (as integers its fractions would be lost)\n");
  EXPECT_EQ(pixels_of(a), (Pixels{40, 67}));
}

TEST_F(ProcessingCli, CompositeWritesPrefixedMeans) {
  const std::string series = folder("series");
  const std::vector<std::vector<int>> values = {{1, 10}, {2, 20}, {2, 30}, {3, 40}, {4, 50}};
  for (std::size_t i = 0; i < values.size(); ++i) {
    fits("series/" + std::string(1, char('a' + i)) + ".fit", values[i]);
  }
  const std::string out = folder("out");
  CliResult r = cli({"composite", "-n", "3", series, "--outdir", out});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "written 3, skipped 0\n");
  // (1+2+2)/3 = 1.67 gives 2, (10+20+30)/3 = 20; then 7/3 gives 2, 30; then 3, 40.
  EXPECT_EQ(pixels_of(out + "/c3_b.fit"), (Pixels{2, 20}));
  EXPECT_EQ(pixels_of(out + "/c3_c.fit"), (Pixels{2, 30}));
  EXPECT_EQ(pixels_of(out + "/c3_d.fit"), (Pixels{3, 40}));

  // Beside the inputs by default; an unreadable member ends the run after c5_... none here.
  const std::string deep = FitsBuilder::image(64, 2, 1).end().write(dir_.file("series/d.fit"));
  r = cli({"composite", "-n", "3", series});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, deep + "BITPIX error : BITPIX = 64\nFile read error\n");
  EXPECT_EQ(pixels_of(series + "/c3_b.fit"), (Pixels{2, 20}));
  EXPECT_FALSE(std::filesystem::exists(series + "/c3_c.fit"));

  EXPECT_EQ(cli({"composite", "-n", "4", series}).status, 2);
  EXPECT_EQ(cli({"composite", series}).status, 2);
}

TEST_F(ProcessingCli, BzeroRefusesBadTextsBeforeTouchingAnyFile) {
  const std::string a = FitsBuilder::image(16, 1, 1)
                            .add("BZERO", "32768")
                            .end()
                            .u16({1})
                            .pad()
                            .write(dir_.file("a.fit"));
  const std::string before = read_bytes(a);
  const struct {
    std::string bzero, message;
  } refused[] = {
      {"1234567890123456789012",
       "BZERO \"1234567890123456789012\" is longer than the 21 characters a card holds"},
      {"abc", "BZERO \"abc\" is not a number"},
  };
  for (const auto& c : refused) {
    CliResult r = cli({"bzero", "--bzero", c.bzero, "--bscale", "1", a});
    EXPECT_EQ(r.status, 1) << c.bzero;
    EXPECT_EQ(r.err, c.message + "\n");
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(read_bytes(a), before);
  }
  CliResult r = cli({"bzero", "--bzero", "0", "--bscale", "1", a});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "processed 1, skipped 0\n");
  EXPECT_EQ(read_bytes(a).substr(5 * 80, 30), "BZERO   =                    0");

  // A folder of more than 3000 FITS files is refused.
  const std::string many = folder("many");
  for (int i = 0; i <= 3000; ++i)
    orvane::test::write_bytes(many + "/" + std::to_string(i) + ".fit", "");
  r = cli({"bzero", "--bzero", "0", "--bscale", "1", many});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, many + ": more than 3000 FITS files\n");
}

TEST_F(ProcessingCli, MissingInputsAreRefusedBeforeAnyFileIsTouched) {
  const std::string a = fits("a.fit", {100, 200}), dark = fits("dark.fit", {80, 100});
  const std::string before = read_bytes(a);
  const std::string missing = dir_.file("missing"), empty = folder("empty");
  const struct {
    std::vector<std::string> args;
    std::string err;
  } cases[] = {
      {{"batch-dark", "--dark", dark, missing},
       missing + ": cannot be opened (No such file or directory)\n"},
      {{"bzero", "--bzero", "0", "--bscale", "1", a, missing + ".fit"},
       missing + ".fit: cannot be opened (No such file or directory)\n"},
      {{"composite", "-n", "3", empty},
       empty + ": no FITS file in the folder (names ending in .fit, .fts or .fits)\n"},
  };
  for (const auto& c : cases) {
    CliResult r = cli(c.args);
    EXPECT_EQ(r.status, 1) << c.args[0];
    EXPECT_EQ(r.err, c.err);
    EXPECT_EQ(r.out, "") << c.args[0];
    EXPECT_EQ(read_bytes(a), before) << c.args[0];
  }
}

// Under a file-size limit every writer fails with the path and exit status 1, and the file it
// would have replaced stays as it was, with no temporary file beside it.
TEST_F(ProcessingCli, AFileSizeLimitIsReportedAndLosesNothing) {
  // 200 x 200 random values, which compress badly: the picture is far above 2000 bytes.
  std::mt19937 random(7);
  std::vector<int> noise(200 * 200);
  for (int& v : noise) v = int(random() % 4096);
  const std::string frame =
      FitsBuilder::image(16, 200, 200).end().u16(noise).pad().write(dir_.file("frame.fit"));
  const std::string picture = dir_.file("old.png");
  const std::string saved = dir_.file("old.fit");
  orvane::test::write_bytes(picture, "the old picture");
  orvane::test::write_bytes(saved, "the old FITS file");
  const std::size_t entries = std::distance(std::filesystem::directory_iterator(dir_.path()), {});

  CliResult r = cli({"render", frame, "-o", picture}, 2000);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, picture + ": cannot be written (File too large)\n");
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(read_bytes(picture), "the old picture");
  r = cli({"save", frame, "-o", saved}, 2000);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, saved + ": cannot be written (File too large)\n");
  EXPECT_EQ(read_bytes(saved), "the old FITS file");
  // stdout.txt and stderr.txt are the only new entries.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.path()), {}), long(entries) + 2);

  // Without the limit the picture is written.
  r = cli({"render", frame, "-o", picture});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(read_bytes(picture).substr(1, 3), "PNG");

  // A batch whose third file (a longer header: 8640 bytes against 5760) cannot be written.
  const std::string a = fits("a.fit", {100, 200}), b = fits("b.fit", {300, 400});
  const std::string c = fits("c.fit", {500, 600}, 40), d = fits("d.fit", {700, 800});
  const std::string c_bytes = read_bytes(c), d_bytes = read_bytes(d);
  r = cli({"batch-dark", "--dark", fits("dark.fit", {80, 100}), a, b, c, d}, 7000);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "processed 2, skipped 0\n");
  EXPECT_EQ(r.err, c + ": cannot be written (File too large) / The run stopped at this file: the "
                       "files before it are done, the files after it untouched.\n");
  EXPECT_EQ(pixels_of(a), (Pixels{20, 100}));
  EXPECT_EQ(pixels_of(b), (Pixels{220, 300}));
  EXPECT_EQ(read_bytes(c), c_bytes);
  EXPECT_EQ(read_bytes(d), d_bytes);
}

}  // namespace
