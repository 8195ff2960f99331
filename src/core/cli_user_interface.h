#pragma once

#include <cstdio>
#include <string>

#include "core/user_interface.h"

namespace orvane::core {

// Messages go to stderr one line each (line breaks become " / "); questions are answered OK;
// progress lines are printed only when stderr is a terminal.
class CliUserInterface : public UserInterface {
 public:
  explicit CliUserInterface(std::FILE* out = stderr);
  void message(std::string_view text, std::string_view title = {}) override;
  bool ask_ok_cancel(std::string_view text, std::string_view title = {}) override;
  void beep() override {}
  void busy(bool) override {}
  bool progress(std::string_view caption, std::string_view label,
                ProgressCount count = {}) override;
  void progress_done() override {}
  // Nobody is there to look at the frames: every frame is kept.
  FrameChoice choose_frame(std::string_view) override { return FrameChoice::kSave; }

  // A message on one line: CR LF, CR and LF each become " / ".
  static std::string one_line(std::string_view text);

 private:
  std::FILE* out_;
  bool terminal_;
};

}  // namespace orvane::core
