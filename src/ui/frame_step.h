#pragma once

#include <functional>
#include <string>

#include "core/image_frame.h"
#include "core/result.h"
#include "core/user_interface.h"
#include "ui/shared_procedures.h"
#include "ui/workspace.h"

namespace orvane::ui {

// What a command that changes the frame asks, says and shows around its operation.
struct FrameStepPlan {
  std::string question = {};    // asked OK/Cancel before anything is touched; empty: none
  bool beep = false;            // beeps at the end while "Beep On" is set
  std::string completion = {};  // said at the end ("completion"); empty: nothing
  FrameChange change = {};      // how the changed frame is shown again
};

// The operation itself, from the logic libraries: changes the frame and returns what to say
// about it afterwards (empty for nothing), or the refusal. The undo copy is taken before it.
using FrameOperation = std::function<core::Result<std::string>(core::ImageFrame&)>;

// The one way every command that changes the frame runs: the start question, the undo copy,
// the hourglass, the operation, the frame shown again (statistics, picture, "UnDo"), the beep
// and the completion message. A refusal is told and the frame shown as it is; the undo copy
// taken before it stays, so "UnDo" brings back anything the operation did change.
class FrameStep {
 public:
  FrameStep(Workspace& workspace, SharedProcedures& procedures, core::UserInterface& ui)
      : workspace_(workspace), procedures_(procedures), ui_(ui) {}

  // False when the question was answered Cancel or the operation was refused.
  bool run(const FrameStepPlan& plan, const FrameOperation& operation);

 private:
  Workspace& workspace_;
  SharedProcedures& procedures_;
  core::UserInterface& ui_;
};

}  // namespace orvane::ui
