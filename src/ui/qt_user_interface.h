#pragma once

#include <QPointer>
#include <QWidget>

#include "core/user_interface.h"

class QDialog;
class QLabel;

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
  // The progress window "Form8": a small application-modal dialog, centred on the screen when
  // it opens, with the run's caption, the current file in "Label1" and a Cancel button that
  // stops the run after the current file.
  bool progress(std::string_view caption, std::string_view label) override;
  void progress_done() override;

 private:
  void open_progress_window();

  QPointer<QWidget> parent_;
  QPointer<QDialog> progress_;
  QPointer<QLabel> progress_label_;
  bool progress_cancelled_ = false;
  int busy_depth_ = 0;
};

}  // namespace orvane::ui
