#include "ui/binning_menu.h"

#include <QAction>
#include <QMenu>
#include <algorithm>

#include "processing/binning.h"
#include "ui/frame_step.h"
#include "ui/image_window.h"
#include "ui/window_position.h"

namespace orvane::ui {
namespace {

template <typename Window>
void close_window(QPointer<Window>& window) {
  if (window) window->close();
}

}  // namespace

BinningMenu::BinningMenu(Workspace& workspace, SharedProcedures& procedures,
                         core::UserInterface& ui, QWidget* main_window)
    : QObject(main_window),
      workspace_(workspace),
      procedures_(procedures),
      ui_(ui),
      main_window_(main_window) {
  procedures_.watch_picture([this](ImageWindow& window) {
    connect(&window, &ImageWindow::profile_row_moved, this, &BinningMenu::follow_row);
  });
}

void BinningMenu::add_items(QMenu& utility) {
  QMenu* binning = utility.addMenu("Binning");
  binning->setObjectName("utility_menu_binning");
  binning->menuAction()->setObjectName("utility_menu_binning");
  QAction* execution = binning->addAction("Execution");
  execution->setObjectName("utility_menu_binning_make");
  QAction* data_save = binning->addAction("Binnning Data Save");
  data_save->setObjectName("utility_menu_binning_save");
  connect(execution, &QAction::triggered, this, [this] { open_tools(false); });
  connect(data_save, &QAction::triggered, this, [this] { open_tools(true); });
}

void BinningMenu::open_tools(bool spectrum) {
  if (!workspace_.frame.has_image()) {
    ui_.message("You do not open the data file");
    return;
  }
  workspace_.display.line_mode = 1;
  procedures_.marks_off();
  workspace_.magnifier_shown = 0;
  workspace_.display.curve_scale = 255;
  workspace_.display.curve_offset = 0;
  procedures_.close_picture();
  for (QWidget* window : std::initializer_list<QWidget*>{spectrum_, curve_, binning_, function_}) {
    if (window != nullptr) window->close();
  }
  curve_ = new IntensityCurveWindow(workspace_, main_window_);
  curve_->setAttribute(Qt::WA_DeleteOnClose);
  function_ = new FunctionWindow(workspace_, curve_, ui_, main_window_);
  function_->setAttribute(Qt::WA_DeleteOnClose);
  // Without places of their own the tools go below the main window, clear of the picture.
  place_below(*function_, *main_window_, workspace_.settings, core::SettingsWindow::kForm20);
  function_->show();
  procedures_.open_picture();  // draws the profile line at the middle row
  QWidget* tool = nullptr;
  if (spectrum) {
    spectrum_ = new SpectrumWindow(workspace_, ui_, main_window_);
    connect(spectrum_, &SpectrumWindow::move_requested, this, &BinningMenu::move_line);
    connect(spectrum_, &SpectrumWindow::cancel_requested, this, [this] { close_tools(spectrum_); });
    tool = spectrum_;
  } else {
    binning_ = new BinningWindow(workspace_, procedures_, main_window_);
    connect(binning_, &BinningWindow::move_requested, this, &BinningMenu::move_line);
    connect(binning_, &BinningWindow::binning_requested, this, &BinningMenu::run_binning);
    connect(binning_, &BinningWindow::cancel_requested, this, [this] { close_tools(binning_); });
    tool = binning_;
  }
  tool->setAttribute(Qt::WA_DeleteOnClose);
  place_below(*curve_, *function_, workspace_.settings, core::SettingsWindow::kForm13);
  curve_->show();
  // Right of the picture first, where the line is stepped and the zones are watched.
  place_clear_of(*tool, {procedures_.image_window(), main_window_, function_.data(), curve_.data()},
                 workspace_.settings,
                 spectrum ? core::SettingsWindow::kForm12 : core::SettingsWindow::kForm15);
  tool->show();
  follow_row(workspace_.display.line_row);
}

void BinningMenu::close_tools(QWidget* which) {
  procedures_.close_picture();
  close_window(curve_);
  if (which != nullptr) which->close();
  close_window(function_);
}

void BinningMenu::move_line(int rows) {
  const int last = std::min(workspace_.frame.height, core::ImageFrame::kMaxSide) - 1;
  const int row = std::clamp(workspace_.display.line_row + rows, 0, std::max(last, 0));
  if (ImageWindow* window = procedures_.image_window()) {
    window->show_profile_row(row);
  } else {
    workspace_.display.line_row = row;
  }
  follow_row(row);
}

void BinningMenu::follow_row(int row) {
  if (curve_) curve_->show_row(row);
  if (function_) function_->show_row(row);
}

// The binning runs as a frame step: the undo copy first, then the zones summed; the picture is
// not rebuilt, the tools close and the user opens the picture again from the Display menu.
void BinningMenu::run_binning() {
  if (!binning_) return;
  const processing::BinningZones zones = binning_->zones();
  const FrameStepPlan plan{.change = {.auto_contrast = false, .rebuild_picture = false}};
  const bool done =
      FrameStep(workspace_, procedures_, ui_).run(plan, [&zones](core::ImageFrame& frame) {
        auto binned = processing::bin_zones(frame, zones);
        if (!binned) return core::Result<std::string>(core::Error{binned.error()});
        return core::Result<std::string>(processing::binning_completion(*binned));
      });
  if (done) close_tools(binning_);
}

}  // namespace orvane::ui
