#pragma once

#include <QWidget>

#include "ui/picture_box.h"
#include "ui/workspace.h"

namespace orvane::ui {

// " 20 x 20 Flame" ("Form6"): the 21 x 21 frame pixels around the cursor, each a cell. It is
// painted on every mouse move over the picture, also while it is closed, so it opens showing
// the last place.
class MagnifierWindow : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kCellPixels = 10;

  explicit MagnifierWindow(Workspace& workspace, QWidget* parent = nullptr);

  // Repaints the cells around frame pixel (x, y) when (x, y) lies within 0..width, 0..height;
  // cells outside the frame keep what they showed.
  void paint_around(int x, int y);

  // Shows the window at its stored place / hides it and stores its place.
  void open();
  void close_window();

  PictureBox* picture() { return picture_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  Workspace& workspace_;
  PictureBox* picture_ = nullptr;
};

}  // namespace orvane::ui
