#pragma once

#include <QObject>
#include <QPointer>
#include <array>

#include "core/user_interface.h"
#include "ui/shared_procedures.h"
#include "ui/workspace.h"

class QAction;
class QMenu;
class QWidget;

namespace orvane::ui {

class CalculationWindow;

// The Utility menu's commands that rewrite the frame in place: "Limb Darkening Correction",
// "Calculation" and the "Noise filter" submenu. Each runs as a frame step; the menu reaches the
// main window only through the shared procedures.
class ProcessingMenu : public QObject {
  Q_OBJECT

 public:
  ProcessingMenu(Workspace& workspace, SharedProcedures& procedures, core::UserInterface& ui,
                 QWidget* main_window);

  // Adds the items to the Utility menu, where it stands.
  void add_items(QMenu& utility);

  QAction* limb_item() const { return limb_; }
  QAction* calculation_item() const { return calculation_; }

 private:
  void run_noise_filter(int filter);
  void run_limb_correction();
  void show_calculation_window();

  Workspace& workspace_;
  SharedProcedures& procedures_;
  core::UserInterface& ui_;
  QWidget* main_window_;
  QAction* limb_ = nullptr;
  QAction* calculation_ = nullptr;
  std::array<QAction*, 6> noise_filters_{};
  QPointer<CalculationWindow> calculation_window_;
};

}  // namespace orvane::ui
