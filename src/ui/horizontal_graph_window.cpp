#include "ui/horizontal_graph_window.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <algorithm>

#include "display/horizontal_graph.h"
#include "ui/named_controls.h"

namespace orvane::ui {
namespace {

constexpr std::uint32_t kBackground = display::grey(255);
constexpr std::uint32_t kForeground = display::grey(0);
// The graph's points are spread over the picture's width; its height holds level 0 (y = 270)
// with room below for negative values.
constexpr int kPictureWidth = 306;
constexpr int kPictureHeight = 320;
constexpr int kPixelsPerPoint = 6;

// A frame of two buttons "U" and "D" in a row.
QGroupBox* step_frame(const char* name, const char* caption, const char* up_name,
                      const char* down_name, QPushButton*& up, QPushButton*& down,
                      QWidget* parent) {
  auto* frame = new QGroupBox(caption, parent);
  frame->setObjectName(name);
  auto* row = new QHBoxLayout(frame);
  up = named_button(up_name, "U", frame);
  down = named_button(down_name, "D", frame);
  up->setFixedWidth(32);
  down->setFixedWidth(32);
  row->addWidget(up);
  row->addWidget(down);
  return frame;
}

}  // namespace

HorizontalGraphWindow::HorizontalGraphWindow(Workspace& workspace, int column, int row,
                                             QWidget* parent)
    : QWidget(parent, Qt::Window), workspace_(workspace), column_(column), row_(row) {
  setObjectName("Form24");
  setWindowTitle("horizontal graph");
  picture_ = new PictureBox(this);
  picture_->setObjectName("Picture1");
  QPushButton* buttons[6] = {};
  auto* grid = new QGridLayout(this);
  grid->addWidget(picture_, 0, 0, 1, 3);
  grid->addWidget(
      step_frame("Frame1", "Line", "Command1", "Command2", buttons[0], buttons[1], this), 1, 0);
  grid->addWidget(
      step_frame("Frame2", "Zoom", "Command3", "Command4", buttons[2], buttons[3], this), 1, 1);
  grid->addWidget(
      step_frame("Frame3", "Level", "Command5", "Command6", buttons[4], buttons[5], this), 1, 2);
  connect(buttons[0], &QPushButton::clicked, this, [this] { step_row(1); });
  connect(buttons[1], &QPushButton::clicked, this, [this] { step_row(-1); });
  connect(buttons[2], &QPushButton::clicked, this, [this] {
    zoom_ *= 1.05;
    redraw();
  });
  connect(buttons[3], &QPushButton::clicked, this, [this] {
    zoom_ /= 1.05;
    redraw();
  });
  connect(buttons[4], &QPushButton::clicked, this, [this] {
    level_ -= 10;
    redraw();
  });
  connect(buttons[5], &QPushButton::clicked, this, [this] {
    level_ += 10;
    redraw();
  });
  redraw();
}

// "Line": the row one down ("U", at most the frame's height, the spare row) or one up ("D",
// at least 0).
void HorizontalGraphWindow::step_row(int rows) {
  const int last = std::min(workspace_.frame.height, core::ImageFrame::kMaxSide - 1);
  row_ = std::clamp(row_ + rows, 0, std::max(last, 0));
  redraw();
}

void HorizontalGraphWindow::redraw() {
  picture_->reset_canvas(kPictureWidth, kPictureHeight, kBackground);
  picture_->set_user_scale(0, 0, double(kPictureWidth) / kPixelsPerPoint, kPictureHeight);
  for (const display::DisplayPoint& p :
       display::horizontal_graph_points(workspace_.frame, column_, row_, zoom_, level_)) {
    // Two by two display pixels: a single one is hard to see on today's screens.
    picture_->fill_box(p.x, p.y, p.x + 2.0 / kPixelsPerPoint, p.y + 1, kForeground);
  }
  picture_->refresh();
}

}  // namespace orvane::ui
