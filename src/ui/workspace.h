#pragma once

#include <memory>
#include <string>

#include "core/image_frame.h"
#include "core/settings_file.h"
#include "display/display_state.h"
#include "photometry/comparison_star.h"
#include "photometry/photometry_settings.h"
#include "photometry/position_table.h"

namespace orvane::ui {

// What the light-curve window keeps between its openings during a run.
struct LightCurveState {
  std::string data_path;                  // absolute path of the data file last shown
  std::string comp_magnitude = "10.000";  // "comp mag. and color", read as a number
  std::string star = "CASRZ";             // constellation (3 letters) and designation
};

// Everything the windows share for the whole run. main owns it and hands it to each window;
// a test builds its own.
struct Workspace {
  explicit Workspace(std::string settings_path_in, std::string start_folder_in = {})
      : settings_path(std::move(settings_path_in)),
        start_folder(std::move(start_folder_in)),
        current_folder(start_folder) {}
  Workspace(const Workspace&) = delete;
  Workspace& operator=(const Workspace&) = delete;

  // The frame holds two 121 MB stores (taken lazily); keep it off the stack.
  std::unique_ptr<core::ImageFrame> frame_store = std::make_unique<core::ImageFrame>();
  core::ImageFrame& frame = *frame_store;

  display::DisplayState display;
  photometry::PhotometrySettings photometry;
  photometry::PositionTable positions;
  photometry::ComparisonStarDetails comparison;
  photometry::ObserverDetails observer;
  LightCurveState light_curve;

  // The dark and flat frames of the continuous steps, kept until chosen again.
  std::string dark_path;
  std::string flat_path;

  core::SettingsFile settings;
  std::string settings_path;  // start folder + "/orvane.ini"
  std::string start_folder;
  std::string current_folder;

  bool beep_on = false;
  int magnifier_shown = 0;
  int search_span_shown = 0;
  int cross_mode = 0;
};

}  // namespace orvane::ui
