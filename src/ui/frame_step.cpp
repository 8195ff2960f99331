#include "ui/frame_step.h"

namespace orvane::ui {

bool FrameStep::run(const FrameStepPlan& plan, const FrameOperation& operation) {
  if (!plan.question.empty() && !ui_.ask_ok_cancel(plan.question)) return false;
  core::Result<std::string> done = std::string();
  {
    core::BusyGuard busy(ui_);
    core::undo_take(workspace_.frame);
    done = operation(workspace_.frame);
  }
  if (!done) {
    ui_.message(done.error());
    procedures_.frame_changed({.auto_contrast = false, .rebuild_picture = false});
    return false;
  }
  procedures_.frame_changed(plan.change);
  if (plan.beep && workspace_.beep_on) ui_.beep();
  if (!done->empty()) ui_.message(*done);
  if (!plan.completion.empty()) ui_.message(plan.completion);
  return true;
}

}  // namespace orvane::ui
