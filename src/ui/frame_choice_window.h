#pragma once

#include <QDialog>

#include "core/settings_file.h"
#include "core/user_interface.h"

namespace orvane::ui {

// "Form9": after automatic photometry has measured a frame (its path is the caption), keep the
// record and go on, go on without it, or stop. Modal; closing it counts as "Cancel". It opens
// where it was last, as orvane.ini keeps it.
class FrameChoiceWindow : public QDialog {
  Q_OBJECT

 public:
  FrameChoiceWindow(const QString& caption, core::SettingsFile* settings,
                    QWidget* parent = nullptr);

  // Shows the window and waits, the other windows still painting, until a choice is made.
  core::FrameChoice ask();
  core::FrameChoice choice() const { return choice_; }

 protected:
  void done(int result) override;

 private:
  void add_button(const char* name, const QString& caption, core::FrameChoice choice);

  core::SettingsFile* settings_;
  core::FrameChoice choice_ = core::FrameChoice::kCancel;
};

}  // namespace orvane::ui
