#include "ui/frame_choice_window.h"

#include <QPushButton>
#include <QVBoxLayout>

#include "ui/window_position.h"

namespace orvane::ui {

FrameChoiceWindow::FrameChoiceWindow(const QString& caption, core::SettingsFile* settings,
                                     QWidget* parent)
    : QDialog(parent), settings_(settings) {
  setObjectName("Form9");
  set_whole_caption(*this, caption);
  setModal(true);
  new QVBoxLayout(this);
  add_button("Command1", "data save and next file read", core::FrameChoice::kSave);
  // "&&" shows one ampersand: a single one would mark a shortcut letter.
  add_button("Command2", "data not save && next file read", core::FrameChoice::kDontSave);
  add_button("Command3", "Cancel", core::FrameChoice::kCancel);
  // Without a place of its own it opens below the main window, clear of the picture.
  if (parent != nullptr) {
    adjustSize();
    move(on_screen(parent->frameGeometry().bottomLeft() + QPoint(0, 8), frameGeometry().size()));
  }
  if (settings_ != nullptr) restore_position(*this, *settings_, core::SettingsWindow::kForm9);
}

void FrameChoiceWindow::add_button(const char* name, const QString& caption,
                                   core::FrameChoice choice) {
  auto* button = new QPushButton(caption, this);
  button->setObjectName(name);
  button->setAutoDefault(false);
  layout()->addWidget(button);
  connect(button, &QPushButton::clicked, this, [this, choice] {
    choice_ = choice;
    accept();
  });
}

core::FrameChoice FrameChoiceWindow::ask() {
  choice_ = core::FrameChoice::kCancel;
  exec();
  return choice_;
}

// Every way the window closes stores its place; closing it without a button is "Cancel".
void FrameChoiceWindow::done(int result) {
  if (settings_ != nullptr) store_position(*this, *settings_, core::SettingsWindow::kForm9);
  QDialog::done(result);
}

}  // namespace orvane::ui
