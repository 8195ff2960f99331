#pragma once

#include <QObject>
#include <QPointer>

#include "core/user_interface.h"
#include "ui/binning_window.h"
#include "ui/function_window.h"
#include "ui/intensity_curve_window.h"
#include "ui/shared_procedures.h"
#include "ui/spectrum_window.h"
#include "ui/workspace.h"

class QAction;
class QMenu;
class QWidget;

namespace orvane::ui {

// The Utility menu's "Binning": the profile line on the picture, the intensity curve of its row
// ("Form13") and the fitting window ("Form20"), which follow the line as it is clicked to
// another row or stepped; with "Execution" the binning window ("Form15"), with "Binnning Data
// Save" the spectrum window ("Form12").
class BinningMenu : public QObject {
  Q_OBJECT

 public:
  BinningMenu(Workspace& workspace, SharedProcedures& procedures, core::UserInterface& ui,
              QWidget* main_window);

  void add_items(QMenu& utility);

  IntensityCurveWindow* curve_window() const { return curve_; }
  FunctionWindow* function_window() const { return function_; }
  BinningWindow* binning_window() const { return binning_; }
  SpectrumWindow* spectrum_window() const { return spectrum_; }

 private:
  // The tools closed and opened again: the fitting window, the picture with the profile line at
  // the middle row, the curve, and the binning (false) or the spectrum window (true).
  void open_tools(bool spectrum);
  // "Cancel" of the binning or the spectrum window: that window, the picture and the windows of
  // the curve go; the other of the two stays.
  void close_tools(QWidget* which);
  // The profile line `rows` up (-1) or down (+1), within the frame; 0 draws it again.
  void move_line(int rows);
  void follow_row(int row);
  void run_binning();

  Workspace& workspace_;
  SharedProcedures& procedures_;
  core::UserInterface& ui_;
  QWidget* main_window_;
  QPointer<IntensityCurveWindow> curve_;
  QPointer<FunctionWindow> function_;
  QPointer<BinningWindow> binning_;
  QPointer<SpectrumWindow> spectrum_;
};

}  // namespace orvane::ui
