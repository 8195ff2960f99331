// orvane-cli photometry: automatic photometry over the sample night, run as a process.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "cli_run.h"
#include "core/number_text.h"
#include "support/file_size_limit.h"
#include "support/fits_builder.h"
#include "support/temp_dir.h"

namespace {

using orvane::core::format;
using orvane::core::str;
using orvane::core::val;
using orvane::test::read_bytes;
using orvane::test::TempDir;
using orvane::test::write_bytes;

using Output = orvane::test::CliRun;

// The text cut at each `end`; a last piece without it is kept too, so a missing end shows up.
std::vector<std::string> pieces(const std::string& text, const std::string& end) {
  std::vector<std::string> out;
  std::size_t from = 0;
  for (std::size_t at; (at = text.find(end, from)) != std::string::npos; from = at + end.size())
    out.push_back(text.substr(from, at - from));
  if (from < text.size()) out.push_back(text.substr(from) + "[no line end]");
  return out;
}

// "name value" lines of the generator's text files ("comp 153,317", "night_001.fit 0.2562").
std::map<std::string, std::string> named_values(const std::string& path) {
  std::map<std::string, std::string> out;
  for (const std::string& line : pieces(read_bytes(path), "\n")) {
    const auto blank = line.find(' ');
    if (line.rfind('#', 0) != 0 && blank != std::string::npos)
      out[line.substr(0, blank)] = line.substr(blank + 1);
  }
  return out;
}

// The number after `key` in a record ("Comp=007.54" gives 7.54).
double field(const std::string& record, const std::string& key) {
  const auto at = record.find(key);
  return at == std::string::npos ? -99 : val(std::string_view(record).substr(at + key.size()));
}

std::string frame_name(int number) {
  return "night_" + format(number, "000") + ".fit";
}

// The sample night is made once for all tests here; tests that change frames copy them first.
class PhotometryCli : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    night_dir_ = new TempDir;
    const std::string folder = night_dir_->file("night");
    const std::string command = std::string(MAKE_SAMPLE_NIGHT_PATH) + " " + folder + " >/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    auto stars = named_values(folder + "/stars.txt");
    stars_ = " --comp " + stars["comp"] + " --var " + stars["var"] + " --check " + stars["check"];
  }
  static void TearDownTestSuite() {
    delete night_dir_;
    night_dir_ = nullptr;
  }

  static std::string night() { return night_dir_->file("night"); }
  static std::string frame(int number) { return night() + "/" + frame_name(number); }
  static std::string frames(const std::vector<int>& numbers) {
    std::string list;
    for (int n : numbers) list += " " + frame(n);
    return list;
  }

  // orvane-cli run in the folder `cwd` (the test's own folder when empty).
  Output cli(const std::string& arguments, const std::string& cwd = "") {
    return orvane::test::run_cli(dir_, arguments, cwd.empty() ? dir_.path().string() : cwd);
  }

  // A folder of the test's own holding copies of the given frames.
  std::string copied_frames(const std::string& name, const std::vector<int>& numbers) {
    const std::string folder = dir_.file(name);
    std::filesystem::create_directory(folder);
    for (int n : numbers) std::filesystem::copy_file(frame(n), folder + "/" + frame_name(n));
    return folder;
  }

  static TempDir* night_dir_;
  static std::string stars_;
  TempDir dir_;
};

TempDir* PhotometryCli::night_dir_ = nullptr;
std::string PhotometryCli::stars_;

TEST_F(PhotometryCli, FolderGivesOneRecordPerFrameInOrderFollowingTheTrueCurve) {
  const Output r = cli("photometry " + night() + stars_);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");  // truth.txt and stars.txt in the folder are passed over silently
  const std::vector<std::string> out = pieces(r.out, "\n");
  ASSERT_EQ(out.size(), 61u);
  EXPECT_EQ(out.back(), "measured 60, skipped 0");

  // The file holds exactly the printed records, each ended by CR LF.
  const std::string file = read_bytes(dir_.file("mag_est.txt"));
  const std::vector<std::string> records = pieces(file, "\r\n");
  EXPECT_EQ(records, std::vector<std::string>(out.begin(), out.end() - 1));
  EXPECT_EQ(pieces(file, "\n").size(), records.size());  // no line feed without its CR

  const auto truth = named_values(night() + "/truth.txt");
  ASSERT_EQ(truth.size(), 60u);
  double squares = 0;
  for (std::size_t i = 0; i < records.size() && i < 60; ++i) {
    const std::string name = frame_name(static_cast<int>(i) + 1);
    EXPECT_TRUE(records[i].ends_with(" " + frame(static_cast<int>(i) + 1))) << records[i];
    const double error =
        field(records[i], "Var=") - field(records[i], "Comp=") - val(truth.at(name));
    squares += error * error;
  }
  const double rms = std::sqrt(squares / 60);
  std::cout << "photometry over the sample night: RMS of V-C against the truth "
            << format(rms, "0.0000") << "\n";
  RecordProperty("rms_v_minus_c", format(rms, "0.0000"));
  EXPECT_LT(rms, 0.015);
}

TEST_F(PhotometryCli, ShuffledFilesKeepTheirOrderAndMatchSeparateMeasurements) {
  const std::vector<int> order = {37, 5, 52, 18, 1, 44, 29, 60, 11, 23, 48, 7};
  // "Peak cast" searches every frame from the given positions, so each record must equal what
  // one "Photometry" press on that frame alone gives, whatever was read ahead.
  for (const char* position : {"peak", "move"}) {
    const Output r = cli("photometry" + frames(order) + stars_ + " --position " + position);
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> out = pieces(r.out, "\n");
    ASSERT_EQ(out.size(), order.size() + 1) << position;
    EXPECT_EQ(out.back(), "measured 12, skipped 0");
    for (std::size_t i = 0; i < order.size(); ++i) {
      EXPECT_TRUE(out[i].ends_with(" " + frame(order[i]))) << position << ": " << out[i];
      if (std::string(position) != "peak") continue;
      const Output one = cli("measure " + frame(order[i]) + stars_ + " --position peak");
      ASSERT_EQ(one.status, 0) << one.err;
      EXPECT_DOUBLE_EQ(field(out[i], "Comp="), field(one.out, "comp ")) << out[i];
      EXPECT_DOUBLE_EQ(field(out[i], "Var="), field(one.out, "var ")) << out[i];
      EXPECT_DOUBLE_EQ(field(out[i], "Check="), field(one.out, "check ")) << out[i];
    }
  }
}

TEST_F(PhotometryCli, UnreadableFrameInTheMiddleIsReportedSkippedAndCounted) {
  const std::string folder = copied_frames("frames", {1, 2, 3, 4, 5, 6, 7});
  const std::string broken = folder + "/" + frame_name(4);
  write_bytes(broken, read_bytes(broken).substr(0, 4000));
  const Output r = cli("photometry " + folder + stars_);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err.rfind(broken, 0), 0u) << r.err;  // the reader's message names the frame
  EXPECT_EQ(pieces(r.err, "\n").size(), 1u) << r.err;
  const std::vector<std::string> out = pieces(r.out, "\n");
  ASSERT_EQ(out.size(), 7u);
  const int kept[] = {1, 2, 3, 5, 6, 7};
  for (int i = 0; i < 6; ++i)
    EXPECT_TRUE(out[i].ends_with(" " + folder + "/" + frame_name(kept[i]))) << out[i];
  EXPECT_EQ(out.back(), "measured 6, skipped 1");
  EXPECT_EQ(pieces(read_bytes(dir_.file("mag_est.txt")), "\r\n"),
            std::vector<std::string>(out.begin(), out.end() - 1));
}

TEST_F(PhotometryCli, FrameWithoutTheComparisonStarIsNamedAndGetsNoRecord) {
  const std::string folder = copied_frames("frames", {1, 2, 3, 4, 5});
  const std::string blank = folder + "/" + frame_name(3);
  // 512 x 512 BITPIX 16, 36 header cards: the data start at byte 2880, pixel (x, y) at
  // 2880 + 2 (x + 512 y). Every pixel within 45 of the comparison (153, 317) becomes sky 1000
  // (stored as 1000 - 32768 = 0x83E8): peak search, aperture and ring see one flat level, so
  // the star has no signal.
  std::string bytes = read_bytes(blank);
  for (int y = 317 - 45; y <= 317 + 45; ++y)
    for (int x = 153 - 45; x <= 153 + 45; ++x) {
      bytes[2880 + 2 * (x + 512 * y)] = '\x83';
      bytes[2880 + 2 * (x + 512 * y) + 1] = '\xE8';
    }
  write_bytes(blank, bytes);
  const Output r = cli("photometry " + folder + stars_);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, blank + ": No Star\n");
  const std::vector<std::string> out = pieces(r.out, "\n");
  ASSERT_EQ(out.size(), 5u);
  for (const std::string& record : std::vector<std::string>(out.begin(), out.end() - 1))
    EXPECT_EQ(record.find(blank), std::string::npos) << record;
  EXPECT_EQ(out.back(), "measured 4, skipped 1");
  EXPECT_EQ(pieces(read_bytes(dir_.file("mag_est.txt")), "\r\n").size(), 4u);
}

TEST_F(PhotometryCli, RefusalsAndWrongUsageLeaveTheDataFileAlone) {
  const std::string kept = "old record\r\n", older = "older record\r\n";
  const std::string folder = dir_.file("folder");
  const std::string missing = dir_.file("no_such_folder");
  std::filesystem::create_directory(folder);
  const std::string two = frames({1, 2});
  const struct {
    const char* name;
    std::string arguments;
    int status;
    std::string err;  // the whole of stderr, or the start of the usage complaint
  } cases[] = {
      {"comparison and variable at one place",
       two + " --comp 153,317 --var 153,317 --check 358,368", 1,
       "Selecting the Variavble star and the Comparison star position\n"},
      {"--report-line without --band", two + stars_ + " --report-line --star RCas --comp-mag 12", 2,
       "orvane-cli photometry: --report-line needs --band\nusage: orvane-cli photometry"},
      {"-o naming a folder", two + stars_ + " -o " + folder, 1,
       folder + ": cannot be written (Is a directory)\n"},
      {"--sky aperture with --shape circle", two + stars_ + " --sky aperture --shape circle", 2,
       "orvane-cli photometry: --sky aperture cannot be used with --shape circle\n"
       "usage: orvane-cli photometry"},
      {"--read-add with --read-mul", two + stars_ + " --read-add 1 --read-mul 2", 2,
       "orvane-cli photometry: --read-add and --read-mul cannot be used together\n"},
      {"a folder that does not exist", " " + missing + stars_, 1,
       missing + ": cannot be opened (No such file or directory)\n"},
      {"a folder without FITS files", " " + folder + stars_, 1,
       folder + ": no FITS file in the folder (names ending in .fit, .fts or .fits)\n"},
  };
  for (const auto& c : cases) {
    write_bytes(dir_.file("mag_est.txt"), kept);
    write_bytes(dir_.file("mag_est.txt.bak"), older);
    const Output r = cli("photometry" + c.arguments);
    EXPECT_EQ(r.status, c.status) << c.name;
    EXPECT_EQ(r.err.substr(0, c.err.size()), c.err) << c.name;
    EXPECT_EQ(r.out, "") << c.name;
    EXPECT_EQ(read_bytes(dir_.file("mag_est.txt")), kept) << c.name;
    EXPECT_EQ(read_bytes(dir_.file("mag_est.txt.bak")), older) << c.name;
    EXPECT_TRUE(std::filesystem::is_directory(folder)) << c.name;
  }
}

// Started in a folder that has since been removed: the data file's place cannot be known.
TEST_F(PhotometryCli, RemovedWorkingFolderIsRefusedNotACrash) {
  const std::string gone = dir_.file("gone");
  std::filesystem::create_directory(gone);
  // The shell goes into the folder and removes it before it starts the tool.
  const Output r = cli("photometry" + frames({1}) + stars_, gone + " && rmdir " + gone);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "mag_est.txt: cannot be written (No such file or directory)\n");
  EXPECT_EQ(r.out, "");
}

TEST_F(PhotometryCli, KeepsTheLastFileAsBakAppendsOnRequestWritesWhereToldTo) {
  Output r = cli("photometry" + frames({1, 2, 3}) + stars_);
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string first = read_bytes(dir_.file("mag_est.txt"));
  ASSERT_EQ(pieces(first, "\r\n").size(), 3u);

  // A second run starts afresh, keeping the first file as it was.
  r = cli("photometry" + frames({4}) + stars_);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(read_bytes(dir_.file("mag_est.txt.bak")), first);
  const std::string second = read_bytes(dir_.file("mag_est.txt"));
  ASSERT_EQ(pieces(second, "\r\n").size(), 1u);

  // --append goes on after the records there and keeps the .bak as it was.
  r = cli("photometry" + frames({5, 6}) + stars_ + " --append");
  ASSERT_EQ(r.status, 0) << r.err;
  const std::vector<std::string> out = pieces(r.out, "\n");
  ASSERT_EQ(out.size(), 3u);
  EXPECT_EQ(read_bytes(dir_.file("mag_est.txt")), second + out[0] + "\r\n" + out[1] + "\r\n");
  EXPECT_EQ(read_bytes(dir_.file("mag_est.txt.bak")), first);

  // -o in another folder: nothing is written where the tool runs.
  std::filesystem::create_directory(dir_.file("here"));
  std::filesystem::create_directory(dir_.file("there"));
  r = cli("photometry" + frames({7}) + stars_ + " -o ../there/night.txt", dir_.file("here"));
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(read_bytes(dir_.file("there/night.txt")), pieces(r.out, "\n")[0] + "\r\n");
  EXPECT_TRUE(std::filesystem::is_empty(dir_.file("here")));
}

TEST_F(PhotometryCli, AFullDiskStopsTheRunWithTheRecordsBeforeItWhole) {
  const std::string files = frames({1, 2, 3, 4, 5, 6, 7, 8});
  Output r = cli("photometry" + files + stars_ + " -o " + dir_.file("full.txt"));
  ASSERT_EQ(r.status, 0) << r.err;
  const std::vector<std::string> records = pieces(read_bytes(dir_.file("full.txt")), "\r\n");
  ASSERT_EQ(records.size(), 8u);
  // Room for three records and half of the fourth; a file-size limit fails the write the way a
  // full disk does.
  const std::string three = records[0] + "\r\n" + records[1] + "\r\n" + records[2] + "\r\n";
  const std::string out = dir_.file("limited.txt"), err = dir_.file("limited_err.txt");
  const std::string status =
      orvane::test::with_file_size_limit(three.size() + records[3].size() / 2, [&] {
        const std::string command = std::string(ORVANE_CLI_PATH) + " photometry" + files + stars_ +
                                    " -o " + out + " >/dev/null 2>" + err;
        const int raw = std::system(command.c_str());
        return std::to_string(WIFEXITED(raw) ? WEXITSTATUS(raw) : -1);
      });
  EXPECT_EQ(status, "1");
  EXPECT_EQ(read_bytes(out), three);
  EXPECT_EQ(read_bytes(err), out + ": cannot be written (File too large)\n");
}

TEST_F(PhotometryCli, ReportLineAfterEachRecord) {
  const Output r = cli("photometry" + frames({1, 2}) + stars_ +
                       " --report-line --star RCas --comp-mag 12 --band V --observer ABC");
  ASSERT_EQ(r.status, 0) << r.err;
  const std::vector<std::string> out = pieces(r.out, "\n");
  ASSERT_EQ(out.size(), 5u);
  EXPECT_EQ(pieces(read_bytes(dir_.file("mag_est.txt")), "\r\n"),
            (std::vector<std::string>{out[0], out[2]}));
  // Exposures start at 22:30:00 and 22:32:00 UT on 2026-03-14 and last 60 s: their middles are
  // 22:30:30 and 22:32:30. The magnitudes are the record's, written as plain numbers; the
  // estimate is 12 - comparison + variable.
  const char* middles[] = {"20260314223030", "20260314223230"};
  for (int i = 0; i < 2; ++i) {
    const std::string& record = out[2 * i];
    const double c = field(record, "Comp="), v = field(record, "Var=");
    const std::string estimate = str(val(format(12 - c + v, "00.00")));
    EXPECT_EQ(out[2 * i + 1], "report: RCas " + std::string(middles[i]) +
                                  " K=" + str(field(record, "Check=")) + " C=" + str(c) +
                                  " V=" + str(v) + " " + estimate + "V ABC");
  }
  EXPECT_EQ(out.back(), "measured 2, skipped 0");
}

// One star at (20, 20) on a flat sky of 100, in two frames. The variable, marked 3 pixels beside
// it, is pulled onto the star by the first frame's search: the second frame would measure the
// comparison star twice, so the run stops before it and keeps the first record.
TEST(PhotometryCliPositions, AVariablePulledOntoTheComparisonStopsTheRunBeforeTheNextFrame) {
  TempDir dir;
  std::vector<int> sky(40 * 40, 100);
  sky[20 + 40 * 20] = 5000;
  for (const char* name : {"f1.fit", "f2.fit"}) {
    orvane::test::FitsBuilder::image(16, 40, 40).end().u16(sky).pad().write(dir.file(name));
  }
  const Output r = orvane::test::run_cli(
      dir, "photometry " + dir.file("f1.fit") + " " + dir.file("f2.fit") +
               " --comp 20,20 --var 23,20 --check 30,30 --span 5 -o " + dir.file("mag_est.txt"));
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "Selecting the Variavble star and the Comparison star position\n");
  const std::vector<std::string> records = pieces(read_bytes(dir.file("mag_est.txt")), "\r\n");
  ASSERT_EQ(records.size(), 1u);
  EXPECT_NE(records[0].find(dir.file("f1.fit")), std::string::npos);
}

}  // namespace
