// orvane-cli photometry: automatic photometry over the sample night, run as a process.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "cli_run.h"
#include "core/number_text.h"
#include "support/fits_builder.h"
#include "support/temp_dir.h"

namespace {

using orvane::core::format;
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
    return orvane::test::run_cli(dir_, arguments,
                                 "cd " + (cwd.empty() ? dir_.path().string() : cwd));
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

TEST_F(PhotometryCli, FolderGivesOneRecordPerFrameInOrderAndTheCounts) {
  const Output r = cli("photometry " + night() + stars_);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");  // truth.txt and stars.txt in the folder are passed over silently
  const std::vector<std::string> out = pieces(r.out, "\n");
  ASSERT_EQ(out.size(), 61u);
  EXPECT_EQ(out.back(), "measured 60, skipped 0");
  for (int i = 0; i < 60; ++i) EXPECT_TRUE(out[i].ends_with(" " + frame(i + 1))) << out[i];

  // The file holds exactly the printed records, each ended by CR LF.
  const std::string file = read_bytes(dir_.file("mag_est.txt"));
  EXPECT_EQ(pieces(file, "\r\n"), std::vector<std::string>(out.begin(), out.end() - 1));
  EXPECT_EQ(pieces(file, "\n").size(), 60u);  // no line feed without its CR
}

// The next frame is read on a second thread while one is measured; with "Peak cast" every frame
// is searched from the given positions, so each record must equal what one "Photometry" press on
// that frame alone gives.
TEST_F(PhotometryCli, GivenFilesKeepTheirOrderAndMatchSeparateMeasurements) {
  const std::vector<int> order = {37, 5, 52, 18, 1, 44};
  const Output r = cli("photometry" + frames(order) + stars_ + " --position peak");
  ASSERT_EQ(r.status, 0) << r.err;
  const std::vector<std::string> out = pieces(r.out, "\n");
  ASSERT_EQ(out.size(), order.size() + 1);
  EXPECT_EQ(out.back(), "measured 6, skipped 0");
  for (std::size_t i = 0; i < order.size(); ++i) {
    EXPECT_TRUE(out[i].ends_with(" " + frame(order[i]))) << out[i];
    const Output one = cli("measure " + frame(order[i]) + stars_ + " --position peak");
    ASSERT_EQ(one.status, 0) << one.err;
    EXPECT_DOUBLE_EQ(field(out[i], "Comp="), field(one.out, "comp ")) << out[i];
    EXPECT_DOUBLE_EQ(field(out[i], "Var="), field(one.out, "var ")) << out[i];
    EXPECT_DOUBLE_EQ(field(out[i], "Check="), field(one.out, "check ")) << out[i];
  }
}

// Frame 2 cut short; frame 5 an even sky where the comparison star has no signal.
TEST_F(PhotometryCli, UnreadableFramesAndFramesWithoutTheComparisonAreNamedAndSkipped) {
  const std::string folder = copied_frames("frames", {1, 2, 3, 4});
  const std::string broken = folder + "/" + frame_name(2), blank = folder + "/" + frame_name(5);
  write_bytes(broken, read_bytes(broken).substr(0, 4000));
  orvane::test::FitsBuilder::image(16, 512, 512)
      .end()
      .u16(std::vector<int>(512 * 512, 1000))
      .pad()
      .write(blank);
  const Output r = cli("photometry " + folder + stars_);
  EXPECT_EQ(r.status, 1);
  const std::vector<std::string> err = pieces(r.err, "\n");
  ASSERT_EQ(err.size(), 2u) << r.err;
  EXPECT_EQ(err[0].rfind(broken, 0), 0u) << r.err;  // the reader's message names the frame
  EXPECT_EQ(err[1], blank + ": No Star");
  const std::vector<std::string> out = pieces(r.out, "\n");
  ASSERT_EQ(out.size(), 4u);
  const int kept[] = {1, 3, 4};
  for (int i = 0; i < 3; ++i)
    EXPECT_TRUE(out[i].ends_with(" " + folder + "/" + frame_name(kept[i]))) << out[i];
  EXPECT_EQ(out.back(), "measured 3, skipped 2");
  EXPECT_EQ(pieces(read_bytes(dir_.file("mag_est.txt")), "\r\n"),
            std::vector<std::string>(out.begin(), out.end() - 1));
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
  ASSERT_EQ(cli("photometry" + frames({1, 2}) + stars_).status, 0);
  const std::string first = read_bytes(dir_.file("mag_est.txt"));
  // A second run starts afresh, keeping the first file as it was; --append goes on after it.
  ASSERT_EQ(cli("photometry" + frames({3}) + stars_).status, 0);
  EXPECT_EQ(read_bytes(dir_.file("mag_est.txt.bak")), first);
  const std::string second = read_bytes(dir_.file("mag_est.txt"));
  Output r = cli("photometry" + frames({4}) + stars_ + " --append");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(read_bytes(dir_.file("mag_est.txt")), second + pieces(r.out, "\n")[0] + "\r\n");
  EXPECT_EQ(read_bytes(dir_.file("mag_est.txt.bak")), first);

  // -o in another folder: nothing is written where the tool runs.
  std::filesystem::create_directory(dir_.file("here"));
  std::filesystem::create_directory(dir_.file("there"));
  r = cli("photometry" + frames({7}) + stars_ + " -o ../there/night.txt", dir_.file("here"));
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(read_bytes(dir_.file("there/night.txt")), pieces(r.out, "\n")[0] + "\r\n");
  EXPECT_TRUE(std::filesystem::is_empty(dir_.file("here")));
}

// A file-size limit of one block fails the write the way a full disk does; the shell's default
// for SIGXFSZ is kept, so the tool must not be killed by it.
TEST_F(PhotometryCli, AFullDiskStopsTheRunWithTheRecordsBeforeItWhole) {
  const std::string files = frames({1, 2, 3, 4, 5, 6, 7, 8});
  ASSERT_EQ(cli("photometry" + files + stars_ + " -o " + dir_.file("full.txt")).status, 0);
  const std::vector<std::string> records = pieces(read_bytes(dir_.file("full.txt")), "\r\n");
  const std::string out = dir_.file("limited.txt"), err = dir_.file("limited_err.txt");
  const std::string command = "ulimit -f 1 && " + std::string(ORVANE_CLI_PATH) + " photometry" +
                              files + stars_ + " -o " + out + " >/dev/null 2>" + err;
  const int raw = std::system(command.c_str());
  EXPECT_EQ(WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, 1);
  EXPECT_EQ(read_bytes(err), out + ": cannot be written (File too large)\n");
  const std::string kept = read_bytes(out);
  std::string whole;  // the first records, as many as make up what was kept
  for (std::size_t i = 0; i < records.size() && whole.size() < kept.size(); ++i)
    whole += records[i] + "\r\n";
  EXPECT_EQ(kept, whole);
  EXPECT_FALSE(kept.empty());
}

TEST_F(PhotometryCli, ReportLineAfterEachRecordOnlyOnTheScreen) {
  const Output r = cli("photometry" + frames({1, 2}) + stars_ +
                       " --report-line --star RCas --comp-mag 12 --band V --observer ABC");
  ASSERT_EQ(r.status, 0) << r.err;
  const std::vector<std::string> out = pieces(r.out, "\n");
  ASSERT_EQ(out.size(), 5u);
  EXPECT_EQ(pieces(read_bytes(dir_.file("mag_est.txt")), "\r\n"),
            (std::vector<std::string>{out[0], out[2]}));
  // Exposures of 60 s start at 22:30:00 and 22:32:00 UT on 2026-03-14.
  EXPECT_TRUE(out[1].starts_with("report: RCas 20260314223030 K=")) << out[1];
  EXPECT_TRUE(out[3].starts_with("report: RCas 20260314223230 K=")) << out[3];
  EXPECT_TRUE(out[3].ends_with("V ABC")) << out[3];
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
