#include "ui/main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QDropEvent>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QUrl>
#include <filesystem>

#include "core/fits_reader.h"
#include "core/number_text.h"
#include "display/auto_contrast.h"
#include "display/contrast_steps.h"
#include "display/magnifier.h"
#include "display/markers.h"
#include "display/render.h"
#include "display/rotation.h"
#include "ui/control_panel.h"
#include "ui/header_window.h"
#include "ui/image_window.h"
#include "ui/magnifier_window.h"
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
  setAcceptDrops(true);
  panel_ = new ControlPanel(this);
  setCentralWidget(panel_);
  build_menus();
  connect_panel();
  magnifier_ = new MagnifierWindow(workspace_, this);
  panel_->command(8)->hide();
  panel_->command(9)->hide();
  for (int number : {6, 7}) panel_->command(number)->setEnabled(false);
}

MainWindow::~MainWindow() = default;

void MainWindow::connect_panel() {
  connect(panel_->text(1), &QLineEdit::textChanged, this, [this](const QString& text) {
    workspace_.display.range = display::contrast_field_from_text(text.toStdString());
  });
  connect(panel_->text(2), &QLineEdit::textChanged, this, [this](const QString& text) {
    workspace_.display.background = display::contrast_field_from_text(text.toStdString());
  });
  connect(panel_->text(18), &QLineEdit::textChanged, this, [this](const QString& text) {
    workspace_.photometry.search_span = core::val(text.toStdString());
  });
  connect(panel_->command(1), &QPushButton::clicked, this,
          [this] { step_range(display::kRangeUp); });
  connect(panel_->command(2), &QPushButton::clicked, this,
          [this] { step_range(display::kRangeDown); });
  connect(panel_->command(3), &QPushButton::clicked, this,
          [this] { step_background(display::kBackgroundUp); });
  connect(panel_->command(4), &QPushButton::clicked, this,
          [this] { step_background(display::kBackgroundDown); });
  connect(panel_->command(5), &QPushButton::clicked, this, [this] {
    core::BusyGuard busy(ui_);
    run_auto_contrast();
  });
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
  findChild<QAction*>("utility_menu_beep")->setChecked(workspace_.beep_on);
  restore_position(*this, workspace_.settings, core::SettingsWindow::kForm1);
  show();
  workspace_.frame.file_path.clear();

  workspace_.photometry = photometry::PhotometrySettings{};
  panel_->text(11)->setText(" Peak & Move");
  panel_->text(17)->setText(qt("  Radii" + core::str(workspace_.photometry.aperture_size)));
  panel_->text(18)->setText(qt(core::str(workspace_.photometry.search_span)));
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
  workspace_.comparison = ComparisonStarDetails{};
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
  core::Result<core::ReadReport> read = core::ReadReport{};
  {
    core::BusyGuard busy(ui_);
    read = core::fits_read(workspace_.frame, path.lexically_normal().string());
    show_statistics();
  }
  if (!read) {
    ui_.message(read.error());
    ui_.message("File Open Error");
    return false;
  }
  refresh_undo_item();
  if (!read->warning.empty()) ui_.message(read->warning);
  run_auto_contrast();
  open_image_window();
  return true;
}

void MainWindow::show_statistics() {
  panel_->label(20)->setText(qt(core::statistics_show(workspace_.frame)));
}

void MainWindow::show_contrast() {
  panel_->text(1)->setText(qt(core::str(workspace_.display.range)));
  panel_->text(2)->setText(qt(core::str(workspace_.display.background)));
}

void MainWindow::run_auto_contrast() {
  display::auto_contrast(workspace_.frame, workspace_.display);
  show_contrast();
}

void MainWindow::step_range(double factor) {
  workspace_.display.range = display::contrast_step(workspace_.display.range, factor);
  panel_->text(1)->setText(qt(core::str(workspace_.display.range)));
}

void MainWindow::step_background(double factor) {
  workspace_.display.background = display::contrast_step(workspace_.display.background, factor);
  panel_->text(2)->setText(qt(core::str(workspace_.display.background)));
}

void MainWindow::open_image_window() {
  close_image_window();
  image_window_ = new ImageWindow(workspace_, ui_, this);
  image_window_->setAttribute(Qt::WA_DeleteOnClose);
  place_beside(*image_window_, *this, workspace_.settings, core::SettingsWindow::kForm4);
  connect(image_window_, &ImageWindow::cursor_moved, this, &MainWindow::show_cursor);
  connect(image_window_, &ImageWindow::magnifier_toggle_requested, this,
          &MainWindow::toggle_magnifier);
  connect(image_window_, &ImageWindow::unloading, this, [this] {
    // The magnifier closes with the picture; the flag says whether it is open, so the next
    // click on a new picture opens it at once.
    if (magnifier_->isVisible()) magnifier_->close_window();
    workspace_.magnifier_shown = 0;
  });
  image_window_->show();
}

void MainWindow::close_image_window() {
  if (image_window_) image_window_->close();
  image_window_ = nullptr;
}

void MainWindow::show_cursor(int x, int y) {
  panel_->text(12)->setText(qt(core::str(x)));
  panel_->text(13)->setText(qt(core::str(y)));
  // The read-out looks into the store itself, so beyond the frame it shows what is there.
  if (x >= 0 && y >= 0 && x < 5500 && y < 5500) {
    panel_->text(14)->setText(qt(core::str(workspace_.frame.pixels.at(x, y))));
  }
  if (display::magnifier_follows(workspace_.frame, x, y)) magnifier_->paint_around(x, y);
}

void MainWindow::toggle_magnifier() {
  if (workspace_.magnifier_shown == 0) {
    if (image_window_) {
      place_beside(*magnifier_, *image_window_, workspace_.settings, core::SettingsWindow::kForm6);
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
  workspace_.cross_mode = 0;
  panel_->command(7)->setText("Cross on");
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
  open_image_window();
  magnifier_->close_window();
}

void MainWindow::toggle_dusky() {
  workspace_.frame.dusky_mode = findChild<QAction*>("display_menu_dusky_picture")->isChecked();
}

void MainWindow::show_header() {
  if (header_window_) header_window_->close();
  header_window_ = new HeaderWindow(workspace_, this);
  header_window_->setAttribute(Qt::WA_DeleteOnClose);
  place_beside(*header_window_, *this, workspace_.settings, core::SettingsWindow::kForm3);
  header_window_->show();
}

void MainWindow::undo() {
  core::BusyGuard busy(ui_);
  core::UndoOutcome outcome = core::undo_restore(workspace_.frame);
  run_auto_contrast();
  if (image_window_) open_image_window();
  panel_->label(20)->setText(qt(outcome.statistics));
  refresh_undo_item();
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

void MainWindow::set_position_mode(int mode) {
  static const char* const kTexts[] = {" Fix position", " Peak cast", " Peak & Move"};
  workspace_.photometry.position_mode = mode;
  panel_->text(11)->setText(kTexts[mode]);
}

void MainWindow::set_sky_mode(int mode) {
  findChild<QAction*>(mode == 0 ? "photometry_menu_sky_aperture" : "photometry_menu_sky_median")
      ->setChecked(true);
  if (workspace_.frame.width != 0 && workspace_.frame.height != 0) {
    workspace_.cross_mode = 0;
    panel_->command(7)->setText("Cross on");
  }
  workspace_.photometry.sky_mode = mode;
  if (mode == 0) {
    label_on();
  } else {
    label_off();
  }
}

void MainWindow::set_aperture_shape(int shape) {
  const std::string size = core::str(workspace_.photometry.aperture_size);
  workspace_.photometry.aperture_shape = shape;
  auto* size_item = findChild<QAction*>("photometry_menu_aperture_size");
  if (shape == 0) {
    size_item->setText("Size (radius)");
    set_sky_mode(1);  // a circle always measures its sky in a ring
    panel_->text(17)->setText(qt("  Radii" + size));
  } else {
    size_item->setText("Size (square)");
    panel_->text(17)->setText(qt(" " + size + " x " + size));
  }
}

void MainWindow::label_on() {
  panel_->set_sky_rows_visible(true);
  fit_panel();
}

void MainWindow::label_off() {
  panel_->set_sky_rows_visible(false);
  fit_panel();
}

// The window takes the height of the rows shown, without a gap where the sky rows were.
void MainWindow::fit_panel() {
  panel_->layout()->activate();
  layout()->activate();
  resize(width(), sizeHint().height());
}

void MainWindow::search_span_draw() {
  if (!image_window_) return;
  PictureBox* picture = image_window_->picture();
  const int scale = workspace_.display.display_scale;
  const double span = workspace_.photometry.search_span;
  for (auto [x_box, y_box] : {std::pair{3, 4}, std::pair{7, 8}, std::pair{19, 20}}) {
    const double x = core::val(panel_->text(x_box)->text().toStdString());
    const double y = core::val(panel_->text(y_box)->text().toStdString());
    for (const display::DisplayPoint& p : display::search_square(x, y, span, scale)) {
      if (workspace_.search_span_shown == 1) {
        picture->set_pixel(p.x, p.y, display::kProfileGreen);
      } else {
        display::pixel_redraw(picture->picture(), workspace_.frame, workspace_.display, p.x, p.y);
      }
    }
  }
  picture->refresh();
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
  settings.set_beep_on(workspace_.beep_on);
  if (auto written = settings.write(workspace_.settings_path); !written) {
    ui_.message(written.error());
  }
  if (header_window_) header_window_->close();
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
  if (workspace_.magnifier_shown == 1) others.append(magnifier_);
  if (windowState() & Qt::WindowMinimized) {
    for (QWidget* window : others) window->showMinimized();
  } else if (!(windowState() & Qt::WindowMaximized)) {
    for (QWidget* window : others) window->showNormal();
  }
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (urls.isEmpty()) return;
  event->acceptProposedAction();
  // Only the first of several dropped files is opened.
  open_by_name(urls.first().toLocalFile().toStdString());
}

}  // namespace orvane::ui
