#pragma once

#include <QWidget>

#include "processing/polynomial_fit.h"
#include "ui/picture_box.h"
#include "ui/workspace.h"

class QScrollBar;

namespace orvane::ui {

// "Intensity Curve" ("Form13"): the values of the profile line's row plotted as a black
// polyline on light grey, "VScroll1" shifting the curve by whole levels and "VScroll2" setting
// the chart's vertical extent. The fitting window draws its polynomial over it.
class IntensityCurveWindow : public QWidget {
  Q_OBJECT

 public:
  explicit IntensityCurveWindow(Workspace& workspace, QWidget* parent = nullptr);

  // intensity_curve_plot: the chart drawn anew from the frame and the display state.
  void plot();
  // The row chosen: the caption names it and the curve is plotted (line_number).
  void show_row(int row);
  // The polynomial's curve in yellow over the intensity curve.
  void draw_fit(const processing::Polynomial& fit);
  PictureBox* picture() const { return picture_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void set_chart_scale();

  Workspace& workspace_;
  QWidget* chart_area_ = nullptr;
  PictureBox* picture_ = nullptr;
  QScrollBar* offset_bar_ = nullptr;
  QScrollBar* scale_bar_ = nullptr;
};

}  // namespace orvane::ui
