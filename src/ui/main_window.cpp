#include "ui/main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <filesystem>

#include "core/fits_reader.h"
#include "core/number_text.h"
#include "display/auto_contrast.h"
#include "display/contrast_steps.h"
#include "display/magnifier.h"
#include "display/markers.h"
#include "display/render.h"
#include "display/rotation.h"
#include "ui/comparison_star_window.h"
#include "ui/control_panel.h"
#include "ui/file_drop.h"
#include "ui/header_window.h"
#include "ui/image_window.h"
#include "ui/light_curve_window.h"
#include "ui/magnifier_window.h"
#include "ui/position_boxes.h"
#include "ui/window_position.h"

namespace orvane::ui {
namespace {

QString qt(const std::string& text) {
  return QString::fromStdString(text);
}

constexpr const char* kNoFrame = "You do not open the data file";

}  // namespace

MainWindow::MainWindow(Workspace& workspace, core::UserInterface& ui, QWidget* parent)
    : QMainWindow(parent), workspace_(workspace), ui_(ui) {
  setObjectName("Form1");
  setWindowTitle("Orvane viewer ver1.01");
  panel_ = new ControlPanel(this);
  setCentralWidget(panel_);
  build_menus();
  connect_panel();
  drops_ = new FileDropFilter([this](const std::string& path) { open_by_name(path); }, this);
  drops_->watch(*this);
  magnifier_ = new MagnifierWindow(workspace_, this);
  comparison_window_ = new ComparisonStarWindow(workspace_.comparison, this);
  new PositionBoxes(*panel_, workspace_.positions, ui_, this);
  // The light curve's star and comparison magnitude start from these, so they are typed once.
  connect(comparison_window_, &ComparisonStarWindow::stored, this, [this] {
    workspace_.light_curve.star = workspace_.comparison.star_name;
    workspace_.light_curve.comp_magnitude = core::str_trimmed(workspace_.comparison.comp_magnitude);
  });
  panel_->automatic_button()->hide();
  panel_->end_of_auto_button()->hide();
}

MainWindow::~MainWindow() = default;

void MainWindow::connect_panel() {
  connect(panel_->range_box(), &QLineEdit::textChanged, this, [this](const QString& text) {
    workspace_.display.range = display::contrast_field_from_text(text.toStdString());
  });
  connect(panel_->background_box(), &QLineEdit::textChanged, this, [this](const QString& text) {
    workspace_.display.background = display::contrast_field_from_text(text.toStdString());
  });
  // A typed range or background shows at once, as the buttons do.
  for (QLineEdit* box : {panel_->range_box(), panel_->background_box()}) {
    connect(box, &QLineEdit::textEdited, this, &MainWindow::redraw_picture);
  }
  connect(panel_->search_span_box(), &QLineEdit::textChanged, this, [this](const QString& text) {
    workspace_.photometry.search_span = core::val(text.toStdString());
  });
  connect(panel_->range_up_button(), &QPushButton::clicked, this,
          [this] { step_range(display::kRangeUp); });
  connect(panel_->range_down_button(), &QPushButton::clicked, this,
          [this] { step_range(display::kRangeDown); });
  connect(panel_->background_up_button(), &QPushButton::clicked, this,
          [this] { step_background(display::kBackgroundUp); });
  connect(panel_->background_down_button(), &QPushButton::clicked, this,
          [this] { step_background(display::kBackgroundDown); });
  connect(panel_->auto_contrast_button(), &QPushButton::clicked, this, [this] {
    core::BusyGuard busy(ui_);
    run_auto_contrast();
    redraw_picture();
  });
  connect(panel_->photometry_button(), &QPushButton::clicked, this, &MainWindow::measurement_run);
  connect(panel_->cross_button(), &QPushButton::clicked, this, &MainWindow::toggle_cross);
  connect(panel_->automatic_button(), &QPushButton::clicked, this, &MainWindow::run_automatic);
  connect(panel_->end_of_auto_button(), &QPushButton::clicked, this,
          [this] { set_automatic_mode(false); });
  connect(panel_->search_span_label(), &ClickableLabel::clicked, this, [this] {
    if (workspace_.photometry.sky_mode != 1) return;
    workspace_.search_span_shown = 1 - workspace_.search_span_shown;
    search_span_draw();
  });
}

void MainWindow::start(const std::string& command_line) {
  workspace_.display.curve_scale = 255;
  workspace_.settings = core::SettingsFile::read(workspace_.settings_path);
  workspace_.beep_on = workspace_.settings.beep_on();
  workspace_.observer = {workspace_.settings.observer_line(0), workspace_.settings.observer_line(1),
                         workspace_.settings.observer_line(2),
                         workspace_.settings.observer_line(3)};
  findChild<QAction*>("utility_menu_beep")->setChecked(workspace_.beep_on);
  restore_position(*this, workspace_.settings, core::SettingsWindow::kForm1);
  place_first(*this, workspace_.settings, core::SettingsWindow::kForm1);
  show();
  workspace_.frame.file_path.clear();

  workspace_.photometry = photometry::PhotometrySettings{};
  panel_->position_mode_box()->setText(" Peak & Move");
  panel_->aperture_box()->setText(qt("  Radii" + core::str(workspace_.photometry.aperture_size)));
  panel_->search_span_box()->setText(qt(core::str(workspace_.photometry.search_span)));
  label_off();

  workspace_.frame.sign_mode = 1;
  workspace_.frame.read_calc_mode = 0;
  workspace_.frame.read_calc_operand = 0;
  findChild<QAction*>("display_menu_image")->setChecked(true);
  findChild<QAction*>("display_menu_dusky_picture")->setChecked(false);
  workspace_.frame.dusky_mode = false;
  run_auto_contrast();
  show_statistics();

  if (!command_line.empty()) open_by_name(command_line);
  workspace_.comparison = photometry::ComparisonStarDetails{};
  comparison_window_->reset();
}

bool MainWindow::open_by_name(const std::string& name) {
  if (!core::is_fits_name(name)) {
    ui_.message("This file is not FITS file");
    return false;
  }
  // Names are made absolute when chosen, so a later change of folder cannot redirect them.
  std::filesystem::path path(name);
  if (path.is_relative() && !workspace_.start_folder.empty()) {
    path = std::filesystem::path(workspace_.start_folder) / path;
  }
  if (!open_frame(path.lexically_normal().string())) return false;
  // As opening through the dialog does, the frame's folder becomes the one the folder windows
  // start in.
  workspace_.current_folder = path.lexically_normal().parent_path().string();
  return true;
}

bool MainWindow::open_frame(const std::string& path) {
  if (core::Status fits = core::fits_signature(path); !fits) {
    ui_.message(fits.error());
    return false;
  }
  if (!read_frame(path)) {
    ui_.message("File Open Error");
    return false;
  }
  return true;
}

bool MainWindow::read_frame(const std::string& path) {
  core::Result<core::ReadReport> read = core::ReadReport{};
  {
    core::BusyGuard busy(ui_);
    read = core::fits_read(workspace_.frame, path);
    show_statistics();
  }
  if (!read) {
    ui_.message(read.error());
    return false;
  }
  if (!read->warning.empty()) ui_.message(read->warning);
  frame_changed();
  return true;
}

void MainWindow::hide_automatic_button() {
  panel_->automatic_button()->hide();
}

void MainWindow::frame_changed(const FrameChange& change) {
  show_statistics();
  if (change.statistics) panel_->statistics_label()->setText(qt(*change.statistics));
  if (change.auto_contrast) run_auto_contrast();
  if (change.reset_markers) reset_marker_state();
  if (change.rebuild_picture && (!change.picture_only_if_open || image_window_)) {
    set_cross_mode(0);  // the marks go with the old picture
    open_image_window();
  }
  refresh_undo_item();
  if (header_times_window_) header_times_window_->refresh();
}

void MainWindow::show_statistics() {
  panel_->statistics_label()->setText(qt(core::statistics_show(workspace_.frame)));
  const std::string calculation =
      core::read_calculation_text(core::read_options_of(workspace_.frame));
  if (panel_->show_read_calculation(qt(calculation))) fit_panel();
}

void MainWindow::show_contrast() {
  panel_->range_box()->setText(qt(core::str(workspace_.display.range)));
  panel_->background_box()->setText(qt(core::str(workspace_.display.background)));
}

void MainWindow::contrast_chosen() {
  panel_->range_box()->setText(qt(core::str_trimmed(workspace_.display.range)));
  panel_->background_box()->setText(qt(core::str_trimmed(workspace_.display.background)));
  redraw_picture();
}

void MainWindow::run_auto_contrast() {
  display::auto_contrast(workspace_.frame, workspace_.display);
  show_contrast();
}

void MainWindow::step_range(double factor) {
  workspace_.display.range = display::contrast_step(workspace_.display.range, factor);
  panel_->range_box()->setText(qt(core::str(workspace_.display.range)));
  redraw_picture();
}

void MainWindow::step_background(double factor) {
  workspace_.display.background = display::contrast_step(workspace_.display.background, factor);
  panel_->background_box()->setText(qt(core::str(workspace_.display.background)));
  redraw_picture();
}

// The picture drawn again in its window with the contrast now set, and the marks and search
// squares that were on it drawn over it again (the render draws the profile line itself).
void MainWindow::redraw_picture() {
  if (!image_window_) return;
  const int row = workspace_.display.line_row;
  image_window_->render_picture();
  if (workspace_.display.line_mode == 1) image_window_->show_profile_row(row);
  if (workspace_.cross_mode == 1) aperture_draw();
  if (workspace_.search_span_shown == 1) search_span_draw();
  image_window_->picture()->refresh();
}

void MainWindow::open_image_window() {
  close_image_window();
  image_window_ = new ImageWindow(workspace_, ui_, this);
  image_window_->setAttribute(Qt::WA_DeleteOnClose);
  drops_->watch(*image_window_);
  image_window_->place_beside(*this);
  connect(image_window_, &ImageWindow::cursor_moved, this, &MainWindow::show_cursor);
  connect(image_window_, &ImageWindow::magnifier_toggle_requested, this,
          &MainWindow::toggle_magnifier);
  connect(image_window_, &ImageWindow::position_window_requested, this,
          &MainWindow::open_position_window);
  connect(image_window_, &ImageWindow::unloading, this, [this] {
    // The magnifier closes with the picture; the flag says whether it is open, so the next
    // click on a new picture opens it at once.
    if (magnifier_->isVisible()) magnifier_->close_window();
    workspace_.magnifier_shown = 0;
  });
  for (const auto& watch : picture_watchers_) watch(*image_window_);
  image_window_->show();
}

void MainWindow::open_picture() {
  set_cross_mode(0);
  open_image_window();
}

void MainWindow::close_picture() {
  close_image_window();
  magnifier_->close_window();
  workspace_.magnifier_shown = 0;
}

void MainWindow::watch_picture(std::function<void(ImageWindow& window)> opened) {
  picture_watchers_.push_back(std::move(opened));
}

void MainWindow::show_full_scale() {
  findChild<QAction*>("display_menu_image")->setChecked(true);
  choose_scale(1);
}

const display::RgbImage* MainWindow::shown_picture() const {
  return image_window_ ? &image_window_->picture()->picture() : nullptr;
}

void MainWindow::close_image_window() {
  if (image_window_) image_window_->close();
  image_window_ = nullptr;
}

void MainWindow::show_cursor(int x, int y) {
  panel_->cursor_x_box()->setText(qt(core::str(x)));
  panel_->cursor_y_box()->setText(qt(core::str(y)));
  // The read-out looks into the store itself, so beyond the frame it shows what is there.
  if (x >= 0 && y >= 0 && x < core::ImageFrame::kMaxSide && y < core::ImageFrame::kMaxSide) {
    panel_->level_box()->setText(qt(core::str(workspace_.frame.pixels.at(x, y))));
  }
  if (display::magnifier_follows(workspace_.frame, x, y)) magnifier_->paint_around(x, y);
}

void MainWindow::toggle_magnifier() {
  if (workspace_.magnifier_shown == 0) {
    if (image_window_) {
      place_clear_of(*magnifier_, {this, image_window_.data()}, workspace_.settings,
                     core::SettingsWindow::kForm6);
    }
    magnifier_->open();
    workspace_.magnifier_shown = 1;
  } else {
    magnifier_->close_window();
    workspace_.magnifier_shown = 0;
  }
}

bool MainWindow::refuse_without_frame() {
  if (workspace_.frame.has_image()) return false;
  ui_.message(kNoFrame);
  return true;
}

void MainWindow::reset_marker_state() {
  workspace_.display.line_mode = 0;
  set_cross_mode(0);
  workspace_.magnifier_shown = 0;
}

void MainWindow::choose_scale(int scale) {
  if (refuse_without_frame()) {
    // The radio group already moved its check: put it back on the scale in use.
    const char* current = workspace_.display.display_scale == 4   ? "display_menu_image_14"
                          : workspace_.display.display_scale == 2 ? "display_menu_image_12"
                                                                  : "display_menu_image";
    findChild<QAction*>(current)->setChecked(true);
    return;
  }
  workspace_.display.display_scale = scale;
  reset_marker_state();
  open_image_window();
  magnifier_->close_window();
}

void MainWindow::rotate_image() {
  if (refuse_without_frame()) return;
  reset_marker_state();
  close_image_window();
  display::rotate_180(workspace_.frame);
  frame_changed({.statistics = std::nullopt, .auto_contrast = false});
  magnifier_->close_window();
}

void MainWindow::toggle_dusky() {
  workspace_.frame.dusky_mode = findChild<QAction*>("display_menu_dusky_picture")->isChecked();
}

void MainWindow::show_header() {
  if (header_window_) header_window_->close();
  header_window_ = new HeaderWindow(workspace_, this);
  header_window_->setAttribute(Qt::WA_DeleteOnClose);
  place_clear_of(*header_window_, {this, image_window_.data(), magnifier_}, workspace_.settings,
                 core::SettingsWindow::kForm3);
  header_window_->show();
}

void MainWindow::show_header_times() {
  if (header_times_window_ == nullptr) {
    header_times_window_ = new HeaderTimesWindow(workspace_, this);
    header_times_window_->setAttribute(Qt::WA_DeleteOnClose);
  }
  header_times_window_->refresh();
  header_times_window_->show();
  header_times_window_->raise();
}

void MainWindow::undo() {
  core::BusyGuard busy(ui_);
  core::UndoOutcome outcome = core::undo_restore(workspace_.frame);
  frame_changed({.statistics = outcome.statistics, .picture_only_if_open = true});
}

void MainWindow::refresh_undo_item() {
  findChild<QAction*>("utility_menu_undo")->setEnabled(workspace_.frame.undo_available);
}

void MainWindow::toggle_beep() {
  workspace_.beep_on = !workspace_.beep_on;
  findChild<QAction*>("utility_menu_beep")->setChecked(workspace_.beep_on);
}

void MainWindow::show_version() {
  ui_.message("Orvane Version 1.01\r\nOrvane developers\r\nsee README.md\r\nMar/2012",
              "Astronomical Photometry");
}

// The window takes the height of the rows shown, without a gap where the sky rows were.
void MainWindow::fit_panel() {
  panel_->layout()->activate();
  layout()->activate();
  resize(width(), sizeHint().height());
}

void MainWindow::shutdown() {
  if (shut_down_) return;
  shut_down_ = true;
  core::SettingsFile& settings = workspace_.settings;
  store_position(*this, settings, core::SettingsWindow::kForm1);
  if (header_window_) store_position(*header_window_, settings, core::SettingsWindow::kForm3);
  if (image_window_) store_position(*image_window_, settings, core::SettingsWindow::kForm4);
  if (magnifier_->isVisible()) {
    store_position(*magnifier_, settings, core::SettingsWindow::kForm6);
  }
  store_light_curve_place();
  settings.set_beep_on(workspace_.beep_on);
  const photometry::ObserverDetails& observer = workspace_.observer;
  settings.set_observer_line(0, observer.code);
  settings.set_observer_line(1, observer.band);
  settings.set_observer_line(2, observer.observer_place);
  settings.set_observer_line(3, observer.instruments);
  if (auto written = settings.write(workspace_.settings_path); !written) {
    ui_.message(written.error());
  }
  if (header_window_) header_window_->close();
  if (light_curve_window_ != nullptr) light_curve_window_->close();
  close_image_window();
  magnifier_->hide();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  shutdown();
  event->accept();
}

void MainWindow::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() != QEvent::WindowStateChange) return;
  QList<QWidget*> others;
  if (image_window_) others.append(image_window_);
  if (header_window_) others.append(header_window_);
  if (light_curve_window_ != nullptr && light_curve_window_->isVisible()) {
    others.append(light_curve_window_);
  }
  if (workspace_.magnifier_shown == 1) others.append(magnifier_);
  if (windowState() & Qt::WindowMinimized) {
    for (QWidget* window : others) window->showMinimized();
  } else if (!(windowState() & Qt::WindowMaximized)) {
    for (QWidget* window : others) window->showNormal();
  }
}

}  // namespace orvane::ui
