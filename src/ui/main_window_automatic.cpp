// Automatic photometry in the desktop program: the folder is chosen, the first frame shown, and
// "Automatic" measures frame after frame, asking after each whether to keep it unless the
// pictures are not checked.
#include <algorithm>

#include <QAction>
#include <QMenu>
#include <QPushButton>

#include "core/fits_reader.h"
#include "ui/control_panel.h"
#include "ui/folder_window.h"
#include "ui/main_window.h"

namespace orvane::ui {
namespace {

constexpr const char* kStartTitle = "Automatic photometry procedure";
constexpr const char* kStartText =
    "1. Selecting the Variavble star and the Comparison star\r\n2. Push an Automatic button";
constexpr const char* kEnd = "Automatic photometry end";

}  // namespace

void MainWindow::show_automatic_folder() {
  auto* window =
      new FolderSettingWindow("Folder setting for automatic photometry", workspace_, ui_, this);
  window->set_action([this, window](const std::vector<std::string>& paths) {
    return begin_automatic(window->folder(), paths, window->pictures_not_checked());
  });
  show_folder_window(window);
}

void MainWindow::set_automatic_mode(bool on) {
  // The focus leaves the buttons that go for a button, never for a result box, where the next
  // key typed would overwrite a magnitude.
  if (!on) panel_->photometry_button()->setFocus();
  panel_->automatic_button()->setVisible(on);
  panel_->end_of_auto_button()->setVisible(on);
  for (const char* menu : {"file_menu", "utility_menu"}) {
    findChild<QMenu*>(menu)->menuAction()->setEnabled(!on);
  }
  if (!on) automatic_.reset();
}

bool MainWindow::begin_automatic(const std::string& folder, std::vector<std::string> paths,
                                 bool pictures_not_checked) {
  // The data file is emptied only for a run that has a frame to measure.
  if (std::none_of(paths.begin(), paths.end(),
                   [](const std::string& path) { return core::is_fits_name(path); })) {
    ui_.message(folder + ": no FITS file (.fit, .fts, .fits) is listed");
    return false;
  }
  set_automatic_mode(true);
  // The data file is fixed now: browsing another folder later cannot redirect the run.
  automatic_ = std::make_unique<AutomaticRun>(workspace_.photometry, workspace_.positions,
                                              folder + "/mag_est.txt");
  automatic_->files = std::move(paths);
  automatic_->unattended = pictures_not_checked;
  if (core::Status started = automatic_->engine.start(); !started) {
    ui_.message(started.error());
    set_automatic_mode(false);
    return true;
  }
  if (!read_automatic_frame()) {
    finish_automatic();
    return true;
  }
  if (!ui_.ask_ok_cancel(kStartText, kStartTitle)) set_automatic_mode(false);
  return true;
}

// Reads the next FITS file of the list from the current index on into the frame and shows it;
// files the reader refuses are told (or, unattended, kept for the end) and passed over. False at
// the end of the list.
bool MainWindow::read_automatic_frame() {
  AutomaticRun& run = *automatic_;
  for (; run.index < run.files.size(); ++run.index) {
    const std::string& path = run.files[run.index];
    if (!core::is_fits_name(path)) continue;
    core::Result<core::ReadReport> read = core::ReadReport{};
    {
      core::BusyGuard busy(ui_);
      read = core::fits_read(workspace_.frame, path);
      show_statistics();
    }
    if (!read) {
      if (!run.unattended) ui_.message(read.error());
      run.engine.note_unreadable(read.error());
      continue;
    }
    frame_changed();
    magnifier_->close_window();
    workspace_.magnifier_shown = 0;
    return true;
  }
  return false;
}

void MainWindow::run_automatic() {
  if (!automatic_) return;
  std::optional<core::ProgressGuard> progress_window;
  if (automatic_->unattended) progress_window.emplace(ui_);
  while (automatic_) {
    AutomaticRun& run = *automatic_;
    if (run.unattended && !ui_.progress("Automatic photometry", workspace_.frame.file_path)) return;
    if (!automatic_frame(run)) return;
    ++run.index;
    if (!read_automatic_frame()) {
      progress_window.reset();
      finish_automatic();
    }
  }
}

// One frame: measured and shown, kept or not; false when the run stops here.
bool MainWindow::automatic_frame(AutomaticRun& run) {
  core::Result<photometry::FrameOutcome> measured = core::Error{};
  {
    core::BusyGuard busy(ui_);
    marks_off();
    measured = run.engine.measure(workspace_.frame, shown_positions(), magnitude_boxes());
  }
  if (!measured) {
    ui_.message(measured.error());
    return false;
  }
  const photometry::FrameOutcome& outcome = *measured;
  show_run(outcome.run, !run.unattended);
  if (!run.unattended) {
    set_cross_mode(1);
    aperture_draw();
  }
  core::Result<photometry::FrameEnd> end =
      run.engine.finish_frame(workspace_.frame, outcome, !run.unattended, ui_);
  if (!run.unattended) {
    set_cross_mode(0);
    aperture_draw();
  }
  if (!end) {
    ui_.message(end.error());
    return false;
  }
  if (end->record) findChild<QAction*>("photometry_menu_light_curve")->setEnabled(true);
  return end->choice != core::FrameChoice::kCancel;
}

void MainWindow::finish_automatic() {
  std::string text = kEnd;
  if (const std::string skipped = automatic_->engine.skipped_report(); !skipped.empty()) {
    text += "\r\n" + automatic_->engine.counts_line() + "\r\n" + skipped;
  }
  ui_.message(text);
  set_automatic_mode(false);
  close_image_window();
  magnifier_->close_window();
  workspace_.magnifier_shown = 0;
}

}  // namespace orvane::ui
