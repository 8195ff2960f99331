#pragma once

#include <deque>
#include <string>
#include <vector>

#include "core/user_interface.h"

namespace orvane::test {

// Records every message and question and answers questions from a queue (OK when empty),
// so no test ever waits on a dialog.
class ScriptedUserInterface : public core::UserInterface {
 public:
  struct Shown {
    std::string text;
    std::string title;
    const void* asking = nullptr;  // the window that asked, null for the main window
  };

  void message(std::string_view text, std::string_view title = {}) override {
    messages.push_back({std::string(text), std::string(title), asking()});
  }
  bool ask_ok_cancel(std::string_view text, std::string_view title = {}) override {
    questions.push_back({std::string(text), std::string(title), asking()});
    if (answers.empty()) return true;
    bool answer = answers.front();
    answers.pop_front();
    return answer;
  }
  void beep() override { ++beeps; }
  void busy(bool on) override { busy_depth += on ? 1 : -1; }
  bool progress(std::string_view caption, std::string_view label,
                core::ProgressCount count = {}) override {
    progress_lines.push_back(std::string(caption) + ": " + std::string(label));
    progress_counts.push_back(count);
    ++progress_calls;
    return !(cancel_progress || (cancel_at_progress > 0 && progress_calls >= cancel_at_progress));
  }
  void progress_done() override { ++progress_closed; }
  core::FrameChoice choose_frame(std::string_view caption) override {
    frame_captions.push_back(std::string(caption));
    if (frame_choices.empty()) return core::FrameChoice::kSave;
    const core::FrameChoice choice = frame_choices.front();
    frame_choices.pop_front();
    return choice;
  }

  std::vector<std::string> message_texts() const {
    std::vector<std::string> texts;
    for (const auto& m : messages) texts.push_back(m.text);
    return texts;
  }

  std::vector<Shown> messages;
  std::vector<Shown> questions;
  std::deque<bool> answers;
  // Answers of the "keep this frame?" window, kSave when empty, and the captions it was shown
  // with.
  std::deque<core::FrameChoice> frame_choices;
  std::vector<std::string> frame_captions;
  std::vector<std::string> progress_lines;
  std::vector<core::ProgressCount> progress_counts;
  bool cancel_progress = false;
  // When positive, the progress call with this number (from 1) and every later one answer stop.
  int cancel_at_progress = 0;
  int progress_calls = 0;
  int progress_closed = 0;
  int beeps = 0;
  int busy_depth = 0;
};

}  // namespace orvane::test
