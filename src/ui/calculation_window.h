#pragma once

#include <QDialog>

#include "core/user_interface.h"
#include "ui/frame_step.h"
#include "ui/shared_procedures.h"
#include "ui/workspace.h"

class QCheckBox;
class QLineEdit;

namespace orvane::ui {

// "Calculation" ("Form16"): a constant added to or multiplied into every pixel, optionally also
// into every file read afterwards, and the straight-line inclination compensation of every row.
// Each runs as a frame step (undo copy, hourglass, redraw, beep) and closes the window.
class CalculationWindow : public QDialog {
  Q_OBJECT

 public:
  CalculationWindow(Workspace& workspace, SharedProcedures& procedures, core::UserInterface& ui,
                    QWidget* parent = nullptr);

 protected:
  void done(int result) override;

 private:
  void calculate(bool multiply);
  void compensate_all_rows();

  Workspace& workspace_;
  SharedProcedures& procedures_;
  core::WindowUserInterface ui_;  // messages owned by this window
  QLineEdit* operand_box_ = nullptr;
  QCheckBox* whole_file_reading_ = nullptr;
};

}  // namespace orvane::ui
