#include "ui/image_window.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

#include "core/number_text.h"
#include "display/render.h"
#include "ui/window_position.h"

namespace orvane::ui {

ImageWindow::ImageWindow(Workspace& workspace, core::UserInterface& ui, QWidget* parent)
    : QWidget(parent, Qt::Window), workspace_(workspace), ui_(ui) {
  setObjectName("Form4");
  setWindowTitle(QString::fromStdString(workspace_.frame.file_path));
  restore_position(*this, workspace_.settings, core::SettingsWindow::kForm4);

  scroll_ = new QScrollArea(this);
  scroll_->setObjectName("scroll");
  scroll_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  picture_ = new PictureBox;
  picture_->setObjectName("Picture1");
  scroll_->setWidget(picture_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(scroll_);

  connect(picture_, &PictureBox::mouse_move, this,
          [this](Qt::MouseButtons, bool, double x, double y) { on_mouse_move(x, y); });
  connect(picture_, &PictureBox::mouse_down, this, &ImageWindow::on_mouse_down);

  render_picture();
  fit_within(inside_of(room_from(pos())));
}

void ImageWindow::place_beside(const QWidget& main_window) {
  if (stored_place(workspace_.settings, core::SettingsWindow::kForm4)) return;
  const QRect frame = frame_beside(main_window, size());
  move_frame(*this, frame.topLeft());
  fit_within(inside_of(frame.size()));
}

int ImageWindow::frame_coordinate(double twips, int scale) {
  return core::round_to_i32(core::floor_half_up(twips * scale / kTwipsPerPixel));
}

void ImageWindow::render_picture() {
  core::BusyGuard busy(ui_);
  // The render's buffer becomes the canvas as it is: no copy of a picture that may be 5501
  // pixels square.
  picture_->set_canvas(display::render(workspace_.frame, workspace_.display));
}

// The window fits the picture and the scroll area's frame, unless that is larger than the room
// allows: then it takes the room and the scroll bars show the rest.
void ImageWindow::fit_within(QSize room) {
  const int frame = 2 * scroll_->frameWidth();
  QSize wanted = picture_->size() + QSize(frame, frame);
  const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, scroll_);
  // A horizontal bar takes height from the view, a vertical one width; twice round settles
  // which bars are needed.
  bool horizontal = false;
  bool vertical = false;
  for (int pass = 0; pass < 2; ++pass) {
    horizontal = wanted.width() + (vertical ? bar : 0) > room.width();
    vertical = wanted.height() + (horizontal ? bar : 0) > room.height();
  }
  wanted += QSize(vertical ? bar : 0, horizontal ? bar : 0);
  resize(wanted.boundedTo(room));
}

void ImageWindow::on_mouse_move(double x_twips, double y_twips) {
  const int s = workspace_.display.display_scale;
  emit cursor_moved(frame_coordinate(x_twips, s), frame_coordinate(y_twips, s));
}

void ImageWindow::on_mouse_down(Qt::MouseButton button, bool shift, double x_twips,
                                double y_twips) {
  const int s = workspace_.display.display_scale;
  const int x = frame_coordinate(x_twips, s);
  const int y = frame_coordinate(y_twips, s);
  const int line_mode = workspace_.display.line_mode;
  if (button == Qt::LeftButton) {
    if (shift) {
      emit bow_point_requested(x, y);
    } else if (line_mode == 1) {
      move_profile_line(y);
    } else {
      emit magnifier_toggle_requested();
    }
  } else if (button == Qt::RightButton && line_mode == 0) {
    if (shift) {
      copy_to_clipboard();
    } else {
      const QPointF at(x_twips / kTwipsPerPixel, y_twips / kTwipsPerPixel);
      emit position_window_requested(x, y, picture_->mapToGlobal(at).toPoint());
    }
  }
}

void ImageWindow::move_profile_line(int row) {
  show_profile_row(row);
  emit profile_row_moved(row);
}

void ImageWindow::show_profile_row(int row) {
  display::DisplayState& state = workspace_.display;
  display::erase_profile_line(picture_->picture(), workspace_.frame, state, state.line_row);
  state.line_row = row;
  display::draw_profile_line(picture_->picture(), workspace_.frame.width, row, state.display_scale);
  picture_->refresh();
}

void ImageWindow::copy_to_clipboard() {
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->clear();
  clipboard->setImage(picture_->image());
}

void ImageWindow::closeEvent(QCloseEvent* event) {
  store_position(*this, workspace_.settings, core::SettingsWindow::kForm4);
  emit unloading();
  event->accept();
}

}  // namespace orvane::ui
