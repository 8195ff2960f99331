#pragma once

#include <QWidget>

#include "ui/picture_box.h"
#include "ui/workspace.h"

namespace orvane::ui {

// "horizontal graph" ("Form24"): 51 columns of one row around the bow point, plotted as
// points, to measure how a spectrum line bends. "Line" steps the row, "Zoom" stretches the
// graph upwards from its top and "Level" shifts it.
class HorizontalGraphWindow : public QWidget {
  Q_OBJECT

 public:
  // The bow point (column, row) in frame pixels; zoom 1, level 0.
  HorizontalGraphWindow(Workspace& workspace, int column, int row, QWidget* parent = nullptr);

  void redraw();
  PictureBox* picture() const { return picture_; }

 private:
  void step_row(int rows);

  Workspace& workspace_;
  PictureBox* picture_ = nullptr;
  int column_ = 0;
  int row_ = 0;
  double zoom_ = 1;
  int level_ = 0;
};

}  // namespace orvane::ui
