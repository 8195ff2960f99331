#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/image_frame.h"
#include "core/result.h"
#include "core/user_interface.h"
#include "photometry/observation_lines.h"
#include "photometry/photometry_run.h"
#include "photometry/photometry_settings.h"
#include "photometry/position_table.h"
#include "photometry/star_measurement.h"

namespace orvane::photometry {

// One frame of an automatic run, measured.
struct FrameOutcome {
  RunResult run;
  // The magnitude boxes after the run: a star without signal keeps its previous value.
  MagnitudeValues boxes;
  // Comparison and variable star both had signal: only then does the frame get a record.
  bool recordable = false;
  // Stars whose aperture reached the saturation level; the record is written all the same.
  std::vector<SaturatedStar> saturated;
};

// What became of a measured frame.
struct FrameEnd {
  core::FrameChoice choice = core::FrameChoice::kSave;
  std::optional<std::string> record;  // the line appended to the data file, if any
};

// The frame loop of automatic photometry, one frame at a time, shared by the desktop program
// (which shows each frame and may ask before saving) and orvane-cli: measuring with the run's
// settings and positions, the record of each kept frame appended to the data file, and the
// count of frames measured and frames left without a record, with the reasons.
class AutomaticPhotometry {
 public:
  // The settings and the position table are the live ones: in "Peak cast & Move position" each
  // frame moves the table's stars, so the next frame is searched from there. data_file is an
  // absolute path.
  AutomaticPhotometry(const PhotometrySettings& settings, PositionTable& table,
                      std::string data_file);

  // Keeps an existing data file as "<name>.bak" and starts an empty one; with `append` the
  // file is kept and records go after its lines (a last line without its end gets one). A
  // folder of that name is an error and stays where it is.
  core::Status start(bool append = false);

  // The comparison and the variable star must be at different places: otherwise the message
  // the run stops with.
  static std::optional<std::string> position_refusal(const PositionTable& table);

  // Measures a frame that has been read: `shown` are the position boxes before the run (used
  // as they are with "Fixed position"), `boxes` the magnitude boxes. Refused with
  // position_refusal's message, before anything is measured, while the comparison and the
  // variable star are at one place: in "Peak cast & Move position" the frame before may have
  // pulled one onto the other, and the comparison would then be measured twice.
  core::Result<FrameOutcome> measure(const core::ImageFrame& frame, const SlotPositions& shown,
                                     const MagnitudeValues& boxes);

  // After a frame has been measured (and shown): asks through the user interface whether to
  // keep it when the pictures are checked (otherwise every frame is kept), and appends its
  // record when it is kept. A kept frame without comparison or variable signal gets no record:
  // when the pictures are checked that is said at once, otherwise it is listed at the end.
  core::Result<FrameEnd> finish_frame(const core::ImageFrame& frame, const FrameOutcome& outcome,
                                      bool pictures_checked, core::UserInterface& ui);

  // Appends the frame's record to the data file and hands it to the system at once, so a crash
  // later loses nothing taken so far. A failed append leaves the file as it was before it and
  // is an error that should stop the run. Returns the line written (without its line end).
  core::Result<std::string> save(const core::ImageFrame& frame, const FrameOutcome& outcome);

  // The pixel value from which a star counts as saturated; by default each frame's own
  // saturation_level.
  void set_saturation_level(std::optional<std::int32_t> level) { saturation_level_ = level; }

  // Frames left without a record, for the summary.
  void note_no_star(const std::string& path);
  void note_unreadable(const std::string& message);

  int measured() const { return measured_; }
  int skipped() const { return static_cast<int>(no_star_.size() + unreadable_.size()); }
  bool had_unreadable() const { return !unreadable_.empty(); }
  const std::string& data_file() const { return data_file_; }

  // "measured N, skipped K".
  std::string counts_line() const;
  // What the run tells at its end about frames without a record: the frames without a star
  // signal and the frames that could not be read, then each saturated star (those frames have
  // their record), one line each; empty when there were none.
  std::string skipped_report() const;

 private:
  const PhotometrySettings& settings_;
  PositionTable& table_;
  std::string data_file_;
  int measured_ = 0;
  std::vector<std::string> no_star_;
  std::vector<std::string> unreadable_;
  std::vector<std::string> saturated_;
  std::optional<std::int32_t> saturation_level_;
};

}  // namespace orvane::photometry
