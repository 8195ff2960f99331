#include "ui/picture_export_menu.h"

#include "ui/window_position.h"

namespace orvane::ui {

PictureExportMenu::PictureExportMenu(Workspace& workspace, SharedProcedures& procedures,
                                     core::UserInterface& ui, QWidget* main_window)
    : QObject(main_window),
      workspace_(workspace),
      procedures_(procedures),
      ui_(ui),
      main_window_(main_window) {}

void PictureExportMenu::run() {
  if (!workspace_.frame.has_image()) {
    ui_.message("You do not open the data file");
    return;
  }
  procedures_.show_full_scale();
  // A window still open keeps what was typed into it.
  if (!window_) {
    window_ = new PictureExportWindow(workspace_, procedures_, ui_, main_window_);
    window_->setAttribute(Qt::WA_DeleteOnClose);
    // orvane.ini keeps no place for this window: it opens below the main window.
    place_below(*window_, *main_window_);
  }
  window_->show();
  window_->raise();
}

}  // namespace orvane::ui
