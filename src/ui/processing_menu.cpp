#include "ui/processing_menu.h"

#include <QAction>
#include <QMenu>

#include "processing/limb_correction.h"
#include "processing/noise_filters.h"
#include "ui/calculation_window.h"
#include "ui/frame_step.h"
#include "ui/window_position.h"

namespace orvane::ui {
namespace {

using processing::NoiseFilter;

struct FilterItem {
  const char* name;
  const char* caption;
  NoiseFilter filter;
};
constexpr FilterItem kFilterItems[] = {
    {"utility_menu_noize_filter", "Remove Hot/Cool Pixel", NoiseFilter::kHotCool},
    {"utility_menu_noize_3point", "3 point average", NoiseFilter::kThreePoint},
    {"utility_menu_noize_5point", "5 point average", NoiseFilter::kFivePoint},
    {"utility_menu_noize_gra_ave", "shade off (average)", NoiseFilter::kShadeAverage},
    {"utility_menu_noize_gra_median", "shade off (median)", NoiseFilter::kShadeMedian},
    {"utility_menu_noize_5th_function", "5th function approximation", NoiseFilter::kFifthFunction},
};

QAction* named_action(QMenu& menu, const char* name, const char* caption) {
  QAction* action = menu.addAction(caption);
  action->setObjectName(name);
  return action;
}

}  // namespace

ProcessingMenu::ProcessingMenu(Workspace& workspace, SharedProcedures& procedures,
                               core::UserInterface& ui, QWidget* main_window)
    : QObject(main_window),
      workspace_(workspace),
      procedures_(procedures),
      ui_(ui),
      main_window_(main_window) {}

void ProcessingMenu::add_items(QMenu& utility) {
  limb_ = named_action(utility, "utility_menu_limb", "Limb Darkening Correction");
  calculation_ = named_action(utility, "utility_menu_calculation", "Calculation");
  connect(limb_, &QAction::triggered, this, &ProcessingMenu::run_limb_correction);
  connect(calculation_, &QAction::triggered, this, &ProcessingMenu::show_calculation_window);
  QMenu* noise = utility.addMenu("Noise filter");
  noise->setObjectName("utility_menu_noize");
  noise->menuAction()->setObjectName("utility_menu_noize");
  for (std::size_t i = 0; i < noise_filters_.size(); ++i) {
    noise_filters_[i] = named_action(*noise, kFilterItems[i].name, kFilterItems[i].caption);
    connect(noise_filters_[i], &QAction::triggered, this,
            [this, i] { run_noise_filter(static_cast<int>(i)); });
  }
}

// The filters leave the picture as it is (it shows the result at its next redraw) and end with
// "completion".
void ProcessingMenu::run_noise_filter(int index) {
  const NoiseFilter filter = kFilterItems[index].filter;
  const FrameStepPlan plan{.question = processing::noise_filter_question(filter),
                           .completion = "completion",
                           .change = {.auto_contrast = false, .rebuild_picture = false}};
  FrameStep(workspace_, procedures_, ui_).run(plan, [this, filter](core::ImageFrame& frame) {
    core::ProgressGuard progress(ui_);
    const processing::RowsOutcome outcome = processing::apply_noise_filter(frame, filter, ui_);
    return core::Result<std::string>(processing::rows_left_message(outcome));
  });
}

void ProcessingMenu::run_limb_correction() {
  const FrameStepPlan plan{.question = processing::kLimbQuestion,
                           .beep = true,
                           .change = {.auto_contrast = false, .reset_markers = true}};
  FrameStep(workspace_, procedures_, ui_).run(plan, [this](core::ImageFrame& frame) {
    core::ProgressGuard progress(ui_);
    const processing::RowsOutcome outcome = processing::limb_darkening_correct(frame, ui_);
    return core::Result<std::string>(processing::rows_left_message(outcome));
  });
}

void ProcessingMenu::show_calculation_window() {
  if (!calculation_window_) {
    calculation_window_ = new CalculationWindow(workspace_, procedures_, ui_, main_window_);
    calculation_window_->setAttribute(Qt::WA_DeleteOnClose);
    place_below(*calculation_window_, *main_window_, workspace_.settings,
                core::SettingsWindow::kForm16);
  }
  calculation_window_->show();
  calculation_window_->raise();
}

}  // namespace orvane::ui
