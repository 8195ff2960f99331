// The photometry commands: one "Photometry" press on a frame (measure) and automatic photometry
// over many frames (photometry).
#include <array>
#include <condition_variable>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "cli_support.h"
#include "core/cli_user_interface.h"
#include "core/fits_reader.h"
#include "core/number_text.h"
#include "input_files.h"
#include "photometry/automatic_photometry.h"
#include "photometry/photometry_run.h"
#include "photometry/star_measurement.h"
#include "photometry_options.h"

namespace orvane::cli {
namespace {

using photometry::Position;

std::string file_name(const std::string& path) {
  return std::filesystem::path(path).filename().string();
}

std::string position_text(Position p) {
  return std::to_string(p.x) + "," + std::to_string(p.y);
}

int run_measure(const ParsedArgs& args, core::CliUserInterface& ui) {
  const std::string& path = single_file(args);
  PhotometryOptions options;
  if (!read_photometry_options(args, options, ui)) return kExitFailed;
  auto frame = std::make_unique<core::ImageFrame>();
  if (!read_frame(args, path, *frame, ui)) return kExitFailed;

  const photometry::RunResult run =
      photometry::measurement_run(*frame, options.settings, options.table, options.table.entries);
  if (run.no_star) ui.print_error("No Star");
  const std::int32_t level = options.saturation.value_or(photometry::saturation_level(*frame));
  for (const auto& star :
       photometry::saturated_stars(*frame, options.settings, run.positions, level)) {
    ui.print_error(photometry::saturation_message(file_name(path), star));
  }
  static const char* const kNames[] = {"comp", "var", "check"};
  for (int star = 0; star < 3; ++star) {
    if (run.magnitudes[star]) {
      ui.print_result(std::string(kNames[star]) + " " + core::str_trimmed(*run.magnitudes[star]));
    }
  }
  for (int star = 0; star < 3; ++star) {
    const int slot = photometry::kStarSlots[star];
    ui.print_result(std::string(kNames[star]) + "-pos " + position_text(run.positions[slot]));
  }
  if (options.settings.sky_mode == 0) {
    for (int star = 0; star < 3; ++star) {
      const int slot = photometry::kStarSlots[star] + 1;
      ui.print_result(std::string(kNames[star]) + "-sky-pos " + position_text(run.positions[slot]));
    }
  }
  if (run.no_star) return kExitFailed;

  const photometry::MagnitudeValues boxes{*run.magnitudes[photometry::kComparisonStar],
                                          *run.magnitudes[photometry::kVariableStar],
                                          *run.magnitudes[photometry::kCheckStar]};
  const photometry::PhotometryLines lines =
      photometry::photometry_lines(*frame, boxes, options.settings.digits, options.details);
  ui.print_result("observation: " + lines.observation);
  if (lines.report) ui.print_result("report: " + *lines.report);
  return kExitDone;
}

// The frames of the run as absolute paths: a FOLDER's FITS files, or those of the FILEs given
// that have FITS names (the others are left out, as the folder list leaves them out).
core::Result<std::vector<std::string>> frame_paths(const ParsedArgs& args) {
  core::Result<std::vector<std::string>> given = input_files(args);
  if (!given) return given;
  std::vector<std::string> paths;
  for (const std::string& name : *given) {
    if (!core::is_fits_name(name)) continue;
    std::error_code error;
    paths.push_back(std::filesystem::absolute(name, error).lexically_normal().string());
    if (error) return core::Error{name + ": cannot be opened (" + error.message() + ")"};
  }
  if (paths.empty()) return core::Error{given->front() + ": not a FITS file name"};
  return paths;
}

// The data file as an absolute path, so records stay in it whatever the run does.
core::Result<std::string> data_file_path(const ParsedArgs& args) {
  const std::string name = args.value("-o").value_or("mag_est.txt");
  std::error_code error;
  const std::filesystem::path path = std::filesystem::absolute(name, error);
  if (error) return core::Error{name + ": cannot be written (" + error.message() + ")"};
  return path.lexically_normal().string();
}

// The next file is read into memory on a second thread while the current one is decoded and
// measured on this one, into the one frame; records and messages come out in the order of the
// list, as in a run without it. Two memory slots take turns: the reader fills one while the
// other is decoded.
class FrameReader {
 public:
  // The frame carries the read-time settings; the paths are absolute.
  FrameReader(std::unique_ptr<core::ImageFrame> frame, const std::vector<std::string>& paths)
      : paths_(paths), frame_(std::move(frame)), options_(core::read_options_of(*frame_)) {
    worker_ = std::thread([this] { read_ahead(); });
  }
  ~FrameReader() {
    {
      std::lock_guard lock(mutex_);
      stop_ = true;
    }
    changed_.notify_all();
    worker_.join();
  }
  FrameReader(const FrameReader&) = delete;
  FrameReader& operator=(const FrameReader&) = delete;

  // The frame holding the file at index i, and how its reading went. Called for i = 0, 1, ...
  // in turn; the frame given for i - 1 is no longer needed then.
  std::pair<core::ImageFrame*, core::Result<core::ReadReport>> take(std::size_t i) {
    core::Status loaded = core::ok_status();
    {
      std::unique_lock lock(mutex_);
      finished_ = i;
      changed_.notify_all();
      changed_.wait(lock, [&] { return loaded_ > i; });
      loaded = status_[i % 2];
    }
    if (!loaded) return {frame_.get(), core::Error{loaded.error()}};
    return {frame_.get(), core::fits_read(*frame_, slots_[i % 2], options_)};
  }

 private:
  // An exception leaving this thread would end the program, so a failure becomes the file's
  // error and the run goes on with the next file.
  static core::Status load(const std::string& path, core::FitsBytes& slot) {
    try {
      return core::fits_load(path, slot);
    } catch (const std::bad_alloc&) {
      return core::Error{path + ": not enough memory for the image"};
    } catch (const std::exception& e) {
      return core::Error{path + ": cannot be read (" + e.what() + ")"};
    }
  }

  void read_ahead() {
    for (std::size_t j = 0; j < paths_.size(); ++j) {
      {
        // Slot j % 2 is free once the frame two before j has been decoded.
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return stop_ || j < finished_ + 2; });
        if (stop_) return;
      }
      core::Status status = load(paths_[j], slots_[j % 2]);
      {
        std::lock_guard lock(mutex_);
        status_[j % 2] = std::move(status);
        loaded_ = j + 1;
      }
      changed_.notify_all();
    }
  }

  const std::vector<std::string>& paths_;
  std::unique_ptr<core::ImageFrame> frame_;
  core::ReadOptions options_;
  std::array<core::FitsBytes, 2> slots_;
  std::array<core::Status, 2> status_{core::ok_status(), core::ok_status()};
  std::mutex mutex_;
  std::condition_variable changed_;
  std::size_t loaded_ = 0;    // files read into their slot so far
  std::size_t finished_ = 0;  // frames whose slot may be filled again
  bool stop_ = false;
  std::thread worker_;
};

// One frame: measured, recorded when it may be, and told on stdout and stderr. False when the
// frame was refused or its record could not be written, which ends the run.
bool record_frame(photometry::AutomaticPhotometry& run, const core::ImageFrame& frame,
                  photometry::MagnitudeValues& boxes, const PhotometryOptions& options,
                  bool report_lines, core::CliUserInterface& ui) {
  core::Result<photometry::FrameOutcome> measured =
      run.measure(frame, options.table.entries, boxes);
  if (!measured) {
    ui.print_error(measured.error());
    return false;
  }
  const photometry::FrameOutcome& outcome = *measured;
  boxes = outcome.boxes;
  for (const auto& star : outcome.saturated) {
    ui.print_error(photometry::saturation_message(file_name(frame.file_path), star));
  }
  core::Result<photometry::FrameEnd> end = run.finish_frame(frame, outcome, false, ui);
  if (!end) {
    ui.print_error(end.error());
    return false;
  }
  if (!end->record) {
    ui.print_error(frame.file_path + ": No Star");
    return true;
  }
  ui.print_result(*end->record);
  if (report_lines) {
    auto lines = photometry::photometry_lines(frame, outcome.boxes, options.settings.digits,
                                              options.details);
    if (lines.report) ui.print_result("report: " + *lines.report);
  }
  return true;
}

// Everything a run needs, checked before the data file is touched: a refused run leaves the
// data file and its .bak as they were.
struct CheckedRun {
  PhotometryOptions options;
  std::unique_ptr<core::ImageFrame> frame;  // carries the read-time settings
  std::vector<std::string> paths;           // absolute
  std::string data_file;                    // absolute
};

// False, with the refusal printed, when the run may not start; wrong usage throws.
bool check_run(const ParsedArgs& args, CheckedRun& checked, core::CliUserInterface& ui) {
  if (args.has("--report-line") && !args.has("--band")) {
    throw UsageError{"--report-line needs --band"};
  }
  checked.frame = std::make_unique<core::ImageFrame>();
  apply_read_options(args, *checked.frame);
  if (!read_photometry_options(args, checked.options, ui)) return false;
  core::Result<std::vector<std::string>> paths = frame_paths(args);
  core::Result<std::string> data_file = data_file_path(args);
  std::optional<std::string> refusal =
      photometry::AutomaticPhotometry::position_refusal(checked.options.table);
  if (!refusal && !paths) refusal = paths.error();
  if (!refusal && !data_file) refusal = data_file.error();
  if (refusal) {
    ui.print_error(*refusal);
    return false;
  }
  checked.paths = std::move(*paths);
  checked.data_file = std::move(*data_file);
  return true;
}

int run_photometry(const ParsedArgs& args, core::CliUserInterface& ui) {
  CheckedRun checked;
  if (!check_run(args, checked, ui)) return kExitFailed;
  const std::vector<std::string>& paths = checked.paths;
  PhotometryOptions& options = checked.options;
  photometry::AutomaticPhotometry run(options.settings, options.table, checked.data_file);
  run.set_saturation_level(options.saturation);
  if (core::Status started = run.start(args.has("--append")); !started) {
    ui.print_error(started.error());
    return kExitFailed;
  }
  FrameReader reader(std::move(checked.frame), paths);
  photometry::MagnitudeValues boxes;
  for (std::size_t i = 0; i < paths.size(); ++i) {
    ui.progress("Automatic photometry", paths[i], {i, paths.size()});
    auto [frame, read] = reader.take(i);
    if (!read) {
      ui.print_error(read.error());
      run.note_unreadable(read.error());
      continue;
    }
    if (!read->warning.empty()) ui.print_error(read->warning);
    if (!record_frame(run, *frame, boxes, options, args.has("--report-line"), ui)) {
      return kExitFailed;
    }
  }
  ui.print_result(run.counts_line());
  return run.had_unreadable() ? kExitFailed : kExitDone;
}

}  // namespace

void add_photometry_commands(CommandTable& table) {
  table["measure"] = {"measure FILE " + photometry_options_usage(),
                      "one \"Photometry\" press on one frame: magnitudes, positions and the "
                      "observation line",
                      photometry_option_specs({}), run_measure};
  table["photometry"] = {
      "photometry (FILE...|FOLDER) " + photometry_options_usage() +
          "[-o FILE] [--append] [--report-line] ",
      "automatic photometry: one frame after another, a record for each in the data file",
      photometry_option_specs(
          {{"-o", "FILE", "the data file, kept as .bak and emptied first",
            "default mag_est.txt in the current folder"},
           {"--append", "", "add to the data file instead of starting it afresh", ""},
           {"--report-line", "", "also print each frame's report line (needs --band)", ""}}),
      run_photometry};
}

}  // namespace orvane::cli
