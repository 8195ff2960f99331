#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QWidget>

#include "core/settings_file.h"
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
  bool progress(std::string_view caption, std::string_view label,
                core::ProgressCount count = {}) override;
  void progress_done() override;
  // "Form9", modal, at the place it had last.
  core::FrameChoice choose_frame(std::string_view caption) override;
  // Where window places are kept (Form9 remembers its place); may stay unset.
  void set_settings(core::SettingsFile* settings) { settings_ = settings; }

 private:
  void open_progress_window();
  QWidget* owner() const;

  QPointer<QWidget> parent_;
  core::SettingsFile* settings_ = nullptr;
  QPointer<QDialog> progress_;
  QPointer<QLabel> progress_label_;
  bool progress_cancelled_ = false;
  QElapsedTimer progress_clock_;  // since the progress window was last repainted
  static constexpr qint64 kRedrawMs = 100;
  int busy_depth_ = 0;
};

}  // namespace orvane::ui
