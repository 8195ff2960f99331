#pragma once

#include <QPointer>
#include <QWidget>

#include "core/user_interface.h"

class QProgressDialog;

namespace orvane::ui {

// Message boxes, the beep, the hourglass and the progress window of the desktop program.
class QtUserInterface : public core::UserInterface {
 public:
  explicit QtUserInterface(QWidget* parent = nullptr) : parent_(parent) {}
  ~QtUserInterface() override;
  void set_parent(QWidget* parent) { parent_ = parent; }

  void message(std::string_view text, std::string_view title = {}) override;
  bool ask_ok_cancel(std::string_view text, std::string_view title = {}) override;
  void beep() override;
  void busy(bool on) override;
  bool progress(std::string_view caption, std::string_view label) override;
  // Closes the progress window at the end of a run.
  void progress_done();

 private:
  QPointer<QWidget> parent_;
  QPointer<QProgressDialog> progress_;
  int busy_depth_ = 0;
};

}  // namespace orvane::ui
