#pragma once

#include <QDialog>
#include <QPointer>

#include "core/user_interface.h"
#include "ui/intensity_curve_window.h"
#include "ui/workspace.h"

class QComboBox;
class QLabel;

namespace orvane::ui {

// "High order function" ("Form20"): fits a polynomial of degree 2 to 5 to the profile line's
// row and draws it in yellow over the intensity curve.
class FunctionWindow : public QDialog {
  Q_OBJECT

 public:
  FunctionWindow(Workspace& workspace, IntensityCurveWindow* curve, core::UserInterface& ui,
                 QWidget* parent = nullptr);

  // "y =" and the row, as the profile line moves.
  void show_row(int row);
  // Command1: the fit of the row, drawn over its curve.
  void fit_and_draw();

 protected:
  void done(int result) override;

 private:
  Workspace& workspace_;
  QPointer<IntensityCurveWindow> curve_;
  core::WindowUserInterface ui_;  // messages owned by this window
  QComboBox* degrees_ = nullptr;
  QLabel* row_label_ = nullptr;
};

}  // namespace orvane::ui
