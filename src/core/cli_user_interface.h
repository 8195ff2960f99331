#pragma once

#include <cstddef>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>

#include "core/user_interface.h"

namespace orvane::core {

// The command line's side of the seam, and the one way a command writes: result lines go to
// stdout, messages to stderr one line each (line breaks become " / "), questions are answered
// OK. A long run shows one progress line on stderr when stderr is a terminal, rewritten in
// place and cleared before any other line is written, so result lines stay readable.
class CliUserInterface : public UserInterface {
 public:
  // Seconds since any fixed moment; the time left is estimated from it.
  using Clock = std::function<double()>;

  // `task` names what runs at the start of the progress line (the command). The progress line
  // is shown when `err` is a terminal.
  explicit CliUserInterface(std::string task = {}, std::FILE* out = stdout,
                            std::FILE* err = stderr);
  // With the terminal given: its width in columns, none when `err` is not a terminal.
  CliUserInterface(std::string task, std::FILE* out, std::FILE* err,
                   std::optional<int> terminal_columns, Clock clock);
  ~CliUserInterface() override;
  CliUserInterface(const CliUserInterface&) = delete;
  CliUserInterface& operator=(const CliUserInterface&) = delete;

  void message(std::string_view text, std::string_view title = {}) override;
  bool ask_ok_cancel(std::string_view text, std::string_view title = {}) override;
  void beep() override {}
  void busy(bool) override {}
  // Rewrites the progress line: the task, files done of the total, the current file's name and,
  // once it can be estimated, the time left.
  bool progress(std::string_view caption, std::string_view label,
                ProgressCount count = {}) override;
  // Clears the progress line; the next run estimates its time afresh.
  void progress_done() override;
  // Nobody is there to look at the frames: every frame is kept.
  FrameChoice choose_frame(std::string_view) override { return FrameChoice::kSave; }

  // A result line on stdout, as it is.
  void print_result(std::string_view line);
  // A line on stderr, as it is.
  void print_error(std::string_view line);

  // A message on one line: CR LF, CR and LF each become " / ".
  static std::string one_line(std::string_view text);

 private:
  void clear_line();
  std::optional<double> seconds_left(ProgressCount count, double now);

  static constexpr double kRedrawSeconds = 0.1;

  std::string task_;
  std::FILE* out_;
  std::FILE* err_;
  std::optional<int> columns_;
  Clock clock_;
  std::size_t shown_ = 0;  // characters of the progress line on the terminal, 0 when none
  // The first counted step of the run and when it was taken, for the estimate.
  std::optional<std::size_t> first_done_;
  double first_seconds_ = 0;
  double drawn_at_ = 0;  // when the line was last written
};

}  // namespace orvane::core
