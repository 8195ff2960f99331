#pragma once

#include <string_view>

namespace orvane::core {

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
  virtual bool progress(std::string_view caption, std::string_view label) = 0;
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

}  // namespace orvane::core
