#pragma once

#include <QWidget>
#include <array>

#include "processing/binning.h"
#include "ui/shared_procedures.h"
#include "ui/workspace.h"

class QLineEdit;
class QRadioButton;

namespace orvane::ui {

// "Binning Execution" ("Form15"): five zones of rows, each filled from the profile line with
// "Set Upper" and "Set Lower", shown on the picture with "Display Line", and summed by
// "Binning Execution". Moving the line, the binning and "Cancel" are the menu's to carry out.
class BinningWindow : public QWidget {
  Q_OBJECT

 public:
  BinningWindow(Workspace& workspace, SharedProcedures& procedures, QWidget* parent = nullptr);

  // The zones as the boxes read now (Val of each box).
  processing::BinningZones zones() const;

 signals:
  void move_requested(int rows);  // -1 "Up", +1 "Down"
  void binning_requested();
  void cancel_requested();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  int chosen_zone() const;
  void set_bound(int which);  // 0 upper, 1 lower
  void toggle_zone_lines();

  Workspace& workspace_;
  SharedProcedures& procedures_;
  std::array<QRadioButton*, 5> zone_options_{};
  std::array<QLineEdit*, 10> bounds_{};  // upper, lower of zone 1, then of zone 2, ...
  bool lines_shown_ = false;
};

}  // namespace orvane::ui
