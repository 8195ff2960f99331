#pragma once

// One run of the desktop program in a test: its workspace, a recording user interface and the
// main window, with short ways to reach the controls by their names.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>

#include "support/scripted_user_interface.h"
#include "support/temp_dir.h"
#include "ui/main_window.h"

namespace orvane::test {

struct Program {
  explicit Program(const TempDir& dir)
      : workspace(dir.file("orvane.ini"), dir.path().string()), window(workspace, ui) {}

  QAction* action(const char* name) { return window.findChild<QAction*>(name); }
  QLineEdit* box(int n) { return window.findChild<QLineEdit*>("Text" + QString::number(n)); }
  QString text(int n) { return box(n)->text(); }
  void click(const char* button) { window.findChild<QPushButton*>(button)->click(); }
  QStringList checked(std::initializer_list<const char*> names) {
    QStringList on;
    for (const char* name : names)
      if (action(name)->isChecked()) on << name;
    return on;
  }
  QString label(int n) { return window.findChild<QLabel*>("Label" + QString::number(n))->text(); }

  ui::Workspace workspace;
  ScriptedUserInterface ui;
  ui::MainWindow window;
};

}  // namespace orvane::test
