#pragma once

#include <QObject>
#include <QPointer>

#include "core/user_interface.h"
#include "ui/function_window.h"
#include "ui/intensity_curve_window.h"
#include "ui/shared_procedures.h"
#include "ui/workspace.h"

class QAction;
class QMenu;
class QWidget;

namespace orvane::ui {

// The Utility menu's "Binning": the profile line on the picture, the intensity curve of its row
// ("Form13") and the fitting window ("Form20"), which follow the line as it is clicked to
// another row.
class BinningMenu : public QObject {
  Q_OBJECT

 public:
  BinningMenu(Workspace& workspace, SharedProcedures& procedures, core::UserInterface& ui,
              QWidget* main_window);

  void add_items(QMenu& utility);

  IntensityCurveWindow* curve_window() const { return curve_; }
  FunctionWindow* function_window() const { return function_; }

 private:
  // "Execution": the profile line shown at the middle row, with its curve and the fitting window.
  void execute();
  void close_tools();
  void follow_row(int row);

  Workspace& workspace_;
  SharedProcedures& procedures_;
  core::UserInterface& ui_;
  QWidget* main_window_;
  QAction* execution_ = nullptr;
  QAction* data_save_ = nullptr;
  QPointer<IntensityCurveWindow> curve_;
  QPointer<FunctionWindow> function_;
};

}  // namespace orvane::ui
