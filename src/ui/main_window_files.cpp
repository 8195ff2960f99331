// The file side of the main window: the file dialog's modes, the folder windows and the batches
// they start.
#include <QAction>
#include <QPushButton>

#include "core/fits_writer.h"
#include "processing/auto_composite.h"
#include "processing/calibration.h"
#include "processing/continuous_calibration.h"
#include "processing/scaling_cards.h"
#include "ui/composite_window.h"
#include "ui/control_panel.h"
#include "ui/file_dialog.h"
#include "ui/folder_window.h"
#include "ui/frame_step.h"
#include "ui/main_window.h"
#include "ui/window_position.h"

namespace orvane::ui {

void MainWindow::show_file_dialog(FileDialogMode mode) {
  if (file_dialog_) file_dialog_->close();
  file_dialog_ = new FileDialog(
      mode, workspace_, ui_, [this](const FileChoice& choice) { return file_dialog_ok(choice); },
      this);
  file_dialog_->setAttribute(Qt::WA_DeleteOnClose);
  place_clear_of(*file_dialog_, {this, image_window_.data()}, workspace_.settings,
                 core::SettingsWindow::kForm2);
  file_dialog_->show();
}

bool MainWindow::file_dialog_ok(const FileChoice& choice) {
  switch (choice.mode) {
    case FileDialogMode::kOpen:
      if (open_frame(choice.path) && workspace_.beep_on) ui_.beep();
      return true;
    case FileDialogMode::kDarkSubtract:
    case FileDialogMode::kFlatField:
      calibrate(choice);
      return true;
    case FileDialogMode::kSave:
      return save_frame(choice.path, choice.bitpix);
    case FileDialogMode::kContinuousDark:
    case FileDialogMode::kContinuousFlat:
      show_calibration_folder(choice);
      return true;
    case FileDialogMode::kPhotometryData:
      open_light_curve(choice.path);
      return true;
  }
  return true;
}

// The single-frame dark or flat step; undone with "UnDo".
void MainWindow::calibrate(const FileChoice& choice) {
  const FrameStepPlan plan{.change = {.auto_contrast = false}};
  FrameStep(workspace_, *this, ui_).run(plan, [&choice](core::ImageFrame& frame) {
    const core::Status done =
        choice.mode == FileDialogMode::kDarkSubtract
            ? processing::dark_subtract(frame, choice.path, choice.keep_negative)
            : processing::flat_field(frame, choice.path);
    return done ? core::Result<std::string>(std::string()) : core::Error{done.error()};
  });
}

bool MainWindow::save_frame(const std::string& path, int bitpix) {
  core::Result<core::WriteReport> written = core::WriteReport{};
  {
    core::BusyGuard busy(ui_);
    written = core::fits_write(workspace_.frame, path, bitpix);
  }
  if (!written) {
    ui_.message(written.error());
    return false;
  }
  workspace_.frame.file_path = path;
  if (auto clipped = core::clip_message(path, *written); !clipped.empty()) ui_.message(clipped);
  return true;
}

void MainWindow::close_folder_windows() {
  if (file_dialog_) file_dialog_->close();
  if (folder_window_) folder_window_->close();
}

void MainWindow::show_calibration_folder(const FileChoice& choice) {
  const bool dark = choice.mode == FileDialogMode::kContinuousDark;
  (dark ? workspace_.dark_path : workspace_.flat_path) = choice.path;
  auto* window = new FolderSettingWindow(
      dark ? "Setting of DARK processing file" : "Setting of FLAT processing file", workspace_, ui_,
      this);
  window->set_action([this, dark](const std::vector<std::string>& paths) {
    const core::ReadOptions options = core::read_options_of(workspace_.frame);
    const processing::BatchOutcome outcome =
        dark ? processing::continuous_dark(options, workspace_.dark_path, paths, ui_)
             : processing::continuous_flat(options, workspace_.flat_path, paths, ui_);
    batch_finished(outcome, "processed");
    return true;
  });
  show_folder_window(window);
}

void MainWindow::show_composite_window() {
  auto* window = new CompositeWindow(workspace_, ui_, this);
  window->set_action([this, window](const std::vector<std::string>& paths) {
    batch_finished(processing::auto_composite(core::read_options_of(workspace_.frame), paths,
                                              window->pictures(), "", ui_),
                   "written");
    return true;
  });
  show_folder_window(window);
}

void MainWindow::show_scaling_window() {
  auto* window = new ScalingCardsWindow(workspace_, ui_, this);
  window->set_action([this, window](const std::vector<std::string>& paths) {
    batch_finished(
        processing::change_bzero_bscale(paths, window->bzero_text(), window->bscale_text(), ui_),
        "processed");
    return true;
  });
  show_folder_window(window);
}

void MainWindow::show_folder_window(FolderWindow* window) {
  close_folder_windows();
  folder_window_ = window;
  window->setAttribute(Qt::WA_DeleteOnClose);
  place_clear_of(*window, {this, image_window_.data()}, workspace_.settings, window->place());
  window->show();
}

// Batches work in buffers of their own, so the frame, its picture and its undo copy are as they
// were; what is left is to tell how the run ended, once its progress window has closed.
void MainWindow::batch_finished(const processing::BatchOutcome& outcome,
                                std::string_view done_word) {
  if (const std::string report = processing::batch_report(outcome, done_word); !report.empty()) {
    ui_.message(report);
  }
}

}  // namespace orvane::ui
