#pragma once

#include <cstddef>
#include <string_view>

namespace orvane::core {

// The answer to "keep this frame?" after an automatic photometry frame was measured.
enum class FrameChoice {
  kSave,      // "data save and next file read"
  kDontSave,  // "data not save & next file read"
  kCancel,    // "Cancel", or the window closed
};

// How far a run over many files has come: `done` of `total` finished. A total of 0 means the
// run does not count its steps.
struct ProgressCount {
  std::size_t done = 0;
  std::size_t total = 0;
};

// How logic talks to the person at the screen: the desktop program shows message boxes and a
// progress window, orvane-cli writes to stderr, tests record the calls and script the answers.
class UserInterface {
 public:
  virtual ~UserInterface() = default;
  virtual void message(std::string_view text, std::string_view title = {}) = 0;
  virtual bool ask_ok_cancel(std::string_view text, std::string_view title = {}) = 0;
  virtual void beep() = 0;
  // The hourglass pointer.
  virtual void busy(bool on) = 0;
  // Shows where a long run is and lets window events run; false when the user asked to stop.
  // The first call of a run opens the progress window, later calls update it. `count` says how
  // far the run has come, for a line that estimates the time left.
  virtual bool progress(std::string_view caption, std::string_view label,
                        ProgressCount count = {}) = 0;
  // Closes the progress window at the end of a run (nothing happens when none is open).
  virtual void progress_done() = 0;
  // Asks whether to keep a measured frame; the caption names the frame.
  virtual FrameChoice choose_frame(std::string_view caption) = 0;

  // The window that asks, as a handle only the desktop program reads: its messages and
  // questions are centred on that window and owned by it, so they never raise another window
  // over it. Null: the program's main window.
  const void* asking() const { return asking_; }
  void set_asking(const void* window) { asking_ = window; }

 private:
  const void* asking_ = nullptr;
};

// A window's own way to the user: every call goes to the program's user interface with the
// window as the one asking, also the calls of the logic the window runs.
class WindowUserInterface final : public UserInterface {
 public:
  WindowUserInterface(UserInterface& inner, const void* window) : inner_(inner), window_(window) {}

  void message(std::string_view text, std::string_view title = {}) override {
    Asking asking(*this);
    inner_.message(text, title);
  }
  bool ask_ok_cancel(std::string_view text, std::string_view title = {}) override {
    Asking asking(*this);
    return inner_.ask_ok_cancel(text, title);
  }
  void beep() override { inner_.beep(); }
  void busy(bool on) override { inner_.busy(on); }
  bool progress(std::string_view caption, std::string_view label,
                ProgressCount count = {}) override {
    Asking asking(*this);
    return inner_.progress(caption, label, count);
  }
  void progress_done() override { inner_.progress_done(); }
  FrameChoice choose_frame(std::string_view caption) override {
    Asking asking(*this);
    return inner_.choose_frame(caption);
  }

 private:
  // The window set as the one asking for one call, and the one before restored after it. A
  // window opened by this one (handed this interface) asks as itself.
  class Asking {
   public:
    explicit Asking(WindowUserInterface& ui) : inner_(ui.inner_), before_(inner_.asking()) {
      inner_.set_asking(ui.asking() != nullptr ? ui.asking() : ui.window_);
    }
    ~Asking() { inner_.set_asking(before_); }
    Asking(const Asking&) = delete;
    Asking& operator=(const Asking&) = delete;

   private:
    UserInterface& inner_;
    const void* before_;
  };

  UserInterface& inner_;
  const void* window_;
};

// Shows the hourglass for the life of the guard.
class BusyGuard {
 public:
  explicit BusyGuard(UserInterface& ui) : ui_(ui) { ui_.busy(true); }
  ~BusyGuard() { ui_.busy(false); }
  BusyGuard(const BusyGuard&) = delete;
  BusyGuard& operator=(const BusyGuard&) = delete;

 private:
  UserInterface& ui_;
};

// Closes the progress window when the run ends, however it ends (an early return, an
// exception), so the window never outlives its run.
class ProgressGuard {
 public:
  explicit ProgressGuard(UserInterface& ui) : ui_(ui) {}
  ~ProgressGuard() { ui_.progress_done(); }
  ProgressGuard(const ProgressGuard&) = delete;
  ProgressGuard& operator=(const ProgressGuard&) = delete;

 private:
  UserInterface& ui_;
};

}  // namespace orvane::core
