#include "ui/magnifier_window.h"

#include <QCloseEvent>
#include <algorithm>
#include <cstdint>

#include "display/magnifier.h"
#include "ui/window_position.h"

namespace orvane::ui {

namespace {
constexpr int kSide = display::kMagnifierCells * MagnifierWindow::kCellPixels;
}  // namespace

MagnifierWindow::MagnifierWindow(Workspace& workspace, QWidget* parent)
    : QWidget(parent, Qt::Window), workspace_(workspace) {
  setObjectName("Form6");
  setWindowTitle(" 20 x 20 Flame");
  picture_ = new PictureBox(this);
  picture_->setObjectName("Picture1");
  picture_->reset_canvas(kSide, kSide, display::grey(0));
  // Cell (k, l) spans k .. k + 1 and l .. l + 1.
  picture_->set_user_scale(0, 0, display::kMagnifierCells, display::kMagnifierCells);
  picture_->move(0, 0);
  setFixedSize(kSide, kSide);
}

void MagnifierWindow::paint_around(int x, int y) {
  const display::MagnifierCells cells =
      display::magnifier_cells(workspace_.frame, workspace_.display, x, y);
  display::RgbImage& canvas = picture_->picture();
  if (canvas.width < kSide || canvas.height < kSide) return;
  for (int l = 0; l < display::kMagnifierCells; ++l) {
    for (int k = 0; k < display::kMagnifierCells; ++k) {
      if (!cells[l][k]) continue;
      for (int row = l * kCellPixels; row < (l + 1) * kCellPixels; ++row) {
        std::uint32_t* first = canvas.pixels.data() + std::size_t(row) * canvas.width;
        std::fill(first + k * kCellPixels, first + (k + 1) * kCellPixels, *cells[l][k]);
      }
    }
  }
  picture_->refresh();
}

void MagnifierWindow::open() {
  restore_position(*this, workspace_.settings, core::SettingsWindow::kForm6);
  show();
  raise();
}

void MagnifierWindow::close_window() {
  // A hidden window's place was stored when it was hidden (or it never had one of its own).
  if (isVisible()) store_position(*this, workspace_.settings, core::SettingsWindow::kForm6);
  hide();
}

void MagnifierWindow::closeEvent(QCloseEvent* event) {
  close_window();
  workspace_.magnifier_shown = 0;
  event->accept();
}

}  // namespace orvane::ui
