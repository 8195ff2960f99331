#pragma once

// An interface that answers everything at once: no window, no message, no progress line, so a
// benchmark times the work alone.
#include "core/user_interface.h"

namespace orvane::bench {

class QuietUserInterface : public core::UserInterface {
 public:
  void message(std::string_view, std::string_view) override {}
  bool ask_ok_cancel(std::string_view, std::string_view) override { return true; }
  void beep() override {}
  void busy(bool) override {}
  bool progress(std::string_view, std::string_view, core::ProgressCount) override { return true; }
  void progress_done() override {}
  core::FrameChoice choose_frame(std::string_view) override { return core::FrameChoice::kSave; }
};

}  // namespace orvane::bench
