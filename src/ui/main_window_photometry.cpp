// The photometry side of the main window: the settings of the Photometry menu, the star
// positions and their marks on the picture, and the "Photometry" run.
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>

#include "core/number_text.h"
#include "display/aperture_marks.h"
#include "display/markers.h"
#include "display/render.h"
#include "photometry/photometry_run.h"
#include "ui/comparison_star_window.h"
#include "ui/control_panel.h"
#include "ui/main_window.h"
#include "ui/position_window.h"
#include "ui/sky_area_window.h"

namespace orvane::ui {
namespace {

QString qt(const std::string& text) {
  return QString::fromStdString(text);
}

double box_value(const QLineEdit* box) {
  return core::val(box->text().toStdString());
}

// Redraws the display pixels of the rectangle that lie on the picture.
void redraw_area(display::RgbImage& picture, const core::ImageFrame& frame,
                 const display::DisplayState& state, const display::DisplayRect& area) {
  const int left = std::max(area.left, 0), top = std::max(area.top, 0);
  const int right = std::min(area.right, picture.width - 1);
  const int bottom = std::min(area.bottom, picture.height - 1);
  for (int y = top; y <= bottom; ++y) {
    for (int x = left; x <= right; ++x) display::pixel_redraw(picture, frame, state, x, y);
  }
}

}  // namespace

void MainWindow::set_position_mode(int mode) {
  static const char* const kTexts[] = {" Fix position", " Peak cast", " Peak & Move"};
  workspace_.photometry.position_mode = mode;
  panel_->position_mode_box()->setText(kTexts[mode]);
}

void MainWindow::set_sky_mode(int mode) {
  findChild<QAction*>(mode == 0 ? "photometry_menu_sky_aperture" : "photometry_menu_sky_median")
      ->setChecked(true);
  if (workspace_.frame.width != 0 && workspace_.frame.height != 0) marks_off();
  workspace_.photometry.sky_mode = mode;
  if (mode == 0) {
    label_on();
  } else {
    label_off();
  }
}

void MainWindow::set_aperture_shape(int shape) {
  workspace_.photometry.aperture_shape = shape;
  auto* size_item = findChild<QAction*>("photometry_menu_aperture_size");
  if (shape == 0) {
    size_item->setText("Size (radius)");
    set_sky_mode(1);  // a circle always measures its sky in a ring
  } else {
    size_item->setText("Size (square)");
  }
  show_aperture_caption();
}

void MainWindow::show_aperture_caption() {
  const std::string size = core::str(workspace_.photometry.aperture_size);
  panel_->aperture_box()->setText(
      qt(workspace_.photometry.aperture_shape == 0 ? "  Radii" + size : " " + size + " x " + size));
}

void MainWindow::label_on() {
  panel_->set_sky_rows_visible(true);
  fit_panel();
}

void MainWindow::label_off() {
  panel_->set_sky_rows_visible(false);
  fit_panel();
}

void MainWindow::search_span_draw() {
  if (!image_window_) return;
  PictureBox* picture = image_window_->picture();
  const int scale = workspace_.display.display_scale;
  const double span = workspace_.photometry.search_span;
  for (int star : photometry::kStarSlots) {
    const double x = box_value(panel_->position_x_box(star));
    const double y = box_value(panel_->position_y_box(star));
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

void MainWindow::aperture_draw() {
  if (!image_window_) return;
  const photometry::PhotometrySettings& s = workspace_.photometry;
  display::ApertureMarkInput input{.sky_mode = s.sky_mode,
                                   .aperture_shape = s.aperture_shape,
                                   .aperture_size = s.aperture_size,
                                   .sky_inner = s.sky_inner,
                                   .sky_outer = s.sky_outer,
                                   .search_span = s.search_span,
                                   .scale = workspace_.display.display_scale,
                                   .frame_width = workspace_.frame.width,
                                   .frame_height = workspace_.frame.height};
  for (int slot = 1; slot <= 6; ++slot) {
    input.x[slot] = box_value(panel_->position_x_box(slot));
    input.y[slot] = box_value(panel_->position_y_box(slot));
  }
  const display::ApertureMarks marks = display::aperture_marks(input);
  PictureBox* picture = image_window_->picture();
  if (workspace_.cross_mode == 1) {
    for (const auto& p : marks.green) picture->set_pixel(p.x, p.y, display::kProfileGreen);
    for (const auto& p : marks.white) picture->set_pixel(p.x, p.y, display::grey(255));
    for (const auto& label : marks.labels) {
      picture->text(label.x, label.y, QString(QChar(label.letter)), display::kProfileGreen,
                    display::kLabelHeight - 1);
    }
  } else {
    for (const auto& p : marks.erase_points) {
      display::pixel_redraw(picture->picture(), workspace_.frame, workspace_.display, p.x, p.y);
    }
    for (const auto& area : marks.erase_areas) {
      redraw_area(picture->picture(), workspace_.frame, workspace_.display, area);
    }
  }
  picture->refresh();
}

void MainWindow::set_cross_mode(int mode) {
  workspace_.cross_mode = mode;
  panel_->cross_button()->setText(mode == 1 ? "Cross off" : "Cross on");
}

void MainWindow::marks_off() {
  if (workspace_.cross_mode != 1) return;
  set_cross_mode(0);
  aperture_draw();
}

void MainWindow::toggle_cross() {
  if (workspace_.frame.file_path.empty()) return;
  set_cross_mode(1 - workspace_.cross_mode);
  aperture_draw();
}

void MainWindow::set_position(int slot, photometry::Position position) {
  workspace_.positions[slot] = position;
  panel_->position_x_box(slot)->setText(qt(core::str(position.x)));
  panel_->position_y_box(slot)->setText(qt(core::str(position.y)));
}

photometry::SlotPositions MainWindow::shown_positions() const {
  photometry::SlotPositions shown{};
  for (int slot = 1; slot <= 6; ++slot) {
    shown[slot] = {photometry::box_coordinate(box_value(panel_->position_x_box(slot))),
                   photometry::box_coordinate(box_value(panel_->position_y_box(slot)))};
  }
  return shown;
}

void MainWindow::show_positions(const photometry::SlotPositions& positions) {
  for (int slot = 1; slot <= 6; ++slot) {
    panel_->position_x_box(slot)->setText(qt(core::str(positions[slot].x)));
    panel_->position_y_box(slot)->setText(qt(core::str(positions[slot].y)));
  }
}

void MainWindow::measurement_run() {
  photometry::RunResult run;
  {
    core::BusyGuard busy(ui_);
    marks_off();
    run = photometry::measurement_run(workspace_.frame, workspace_.photometry, workspace_.positions,
                                      shown_positions());
  }
  show_run(run, true);
  if (run.no_star) return;

  const photometry::PhotometryLines lines = photometry::photometry_lines(
      workspace_.frame, magnitude_boxes(), workspace_.photometry.digits, workspace_.comparison);
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->clear();
  clipboard->setText(qt(lines.observation));
  if (lines.report) {
    clipboard->clear();
    clipboard->setText(qt(*lines.report));
  }
}

void MainWindow::show_run(const photometry::RunResult& run, bool tell_no_star) {
  show_positions(run.positions);
  if (workspace_.beep_on) ui_.beep();
  QLineEdit* boxes[] = {panel_->comp_magnitude_box(), panel_->var_magnitude_box(),
                        panel_->check_magnitude_box()};
  bool told = !tell_no_star;
  for (int star = 0; star < 3; ++star) {
    if (run.magnitudes[star]) {
      boxes[star]->setText(qt(core::str(*run.magnitudes[star])));
    } else if (!told) {
      ui_.message("No Star", "Photometry");
      told = true;
    }
  }
}

photometry::MagnitudeValues MainWindow::magnitude_boxes() const {
  return {box_value(panel_->comp_magnitude_box()), box_value(panel_->var_magnitude_box()),
          box_value(panel_->check_magnitude_box())};
}

void MainWindow::open_position_window(int x, int y, QPoint global_position) {
  if (position_window_) position_window_->close();
  // A click on the picture's last row or column can round to one past the frame.
  const photometry::Position clicked{std::clamp(x, 0, std::max(workspace_.frame.width - 1, 0)),
                                     std::clamp(y, 0, std::max(workspace_.frame.height - 1, 0))};
  const QString caption = qt(core::str(x) + " / " + core::str(y));
  position_window_ =
      new PositionWindow(*this, clicked, workspace_.photometry.sky_mode == 0, caption, this);
  position_window_->setAttribute(Qt::WA_DeleteOnClose);
  position_window_->show_beside(global_position);
}

void MainWindow::show_sky_area_window() {
  auto* window = new SkyAreaWindow(workspace_.photometry, *this, ui_, this);
  window->setAttribute(Qt::WA_DeleteOnClose);
  connect(window, &QDialog::accepted, this, &MainWindow::show_aperture_caption);
  window->start();
}

void MainWindow::show_comparison_window() {
  comparison_window_->open_window();
}

}  // namespace orvane::ui
