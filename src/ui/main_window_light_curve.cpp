// The light-curve window as the main window opens it and keeps its place.
#include "lightcurve/light_curve_data.h"
#include "ui/aavso_report_window.h"
#include "ui/light_curve_window.h"
#include "ui/main_window.h"
#include "ui/window_position.h"

namespace orvane::ui {

void MainWindow::open_light_curve(const std::string& path) {
  if (light_curve_window_ == nullptr) {
    light_curve_window_ = new LightCurveWindow(workspace_, *this, ui_, this);
  }
  // A first opening without a stored place goes beside the windows already open.
  if (!light_curve_window_->isVisible()) {
    place_clear_of(*light_curve_window_,
                   {this, image_window_.data(), magnifier_, header_window_.data()},
                   workspace_.settings, core::SettingsWindow::kForm17);
  }
  light_curve_window_->load(path);
}

// The AAVSO report of the data file the light-curve window last showed, else "mag_est.txt" of
// the current folder; all its records are in use.
void MainWindow::show_aavso_report() {
  std::string path = workspace_.light_curve.data_path;
  if (path.empty()) path = workspace_.current_folder + "/mag_est.txt";
  auto loaded = lightcurve::load_light_curve(path);
  if (!loaded) {
    ui_.message(loaded.error());
    return;
  }
  if (!loaded->left_out_message.empty()) ui_.message(loaded->left_out_message);
  AavsoReportWindow dialog(workspace_, ui_, std::move(*loaded), this);
  dialog.exec();
}

// The observer's boxes keep their texts in the workspace as they are typed; only the place is
// left to store. A window closed before stored it as it closed.
void MainWindow::store_light_curve_place() {
  if (light_curve_window_ == nullptr || !light_curve_window_->isVisible()) return;
  store_position(*light_curve_window_, workspace_.settings, core::SettingsWindow::kForm17);
}

}  // namespace orvane::ui
