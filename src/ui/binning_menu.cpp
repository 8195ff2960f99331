#include "ui/binning_menu.h"

#include <QAction>
#include <QMenu>

#include "ui/window_position.h"

namespace orvane::ui {

BinningMenu::BinningMenu(Workspace& workspace, SharedProcedures& procedures,
                         core::UserInterface& ui, QWidget* main_window)
    : QObject(main_window),
      workspace_(workspace),
      procedures_(procedures),
      ui_(ui),
      main_window_(main_window) {
  procedures_.watch_profile_row([this](int row) { follow_row(row); });
}

void BinningMenu::add_items(QMenu& utility) {
  QMenu* binning = utility.addMenu("Binning");
  binning->setObjectName("utility_menu_binning");
  binning->menuAction()->setObjectName("utility_menu_binning");
  execution_ = binning->addAction("Execution");
  execution_->setObjectName("utility_menu_binning_make");
  data_save_ = binning->addAction("Binnning Data Save");
  data_save_->setObjectName("utility_menu_binning_save");
  data_save_->setEnabled(false);  // the spectrum window comes with the profile files
  connect(execution_, &QAction::triggered, this, &BinningMenu::execute);
}

void BinningMenu::close_tools() {
  procedures_.close_picture();
  if (curve_) curve_->close();
  if (function_) function_->close();
}

void BinningMenu::execute() {
  if (!workspace_.frame.has_image()) {
    ui_.message("You do not open the data file");
    return;
  }
  workspace_.display.line_mode = 1;
  workspace_.magnifier_shown = 0;
  workspace_.display.curve_scale = 255;
  workspace_.display.curve_offset = 0;
  close_tools();
  curve_ = new IntensityCurveWindow(workspace_, main_window_);
  curve_->setAttribute(Qt::WA_DeleteOnClose);
  function_ = new FunctionWindow(workspace_, curve_, ui_, main_window_);
  function_->setAttribute(Qt::WA_DeleteOnClose);
  procedures_.open_picture();  // draws the profile line at the middle row
  // Without places of their own the tools go below the main window, clear of the picture.
  place_below(*function_, *main_window_, workspace_.settings, core::SettingsWindow::kForm20);
  function_->show();
  place_below(*curve_, *function_, workspace_.settings, core::SettingsWindow::kForm13);
  curve_->show();
  follow_row(workspace_.display.line_row);
}

void BinningMenu::follow_row(int row) {
  if (curve_) curve_->show_row(row);
  if (function_) function_->show_row(row);
}

}  // namespace orvane::ui
