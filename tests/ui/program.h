#pragma once

// One run of the desktop program in a test: its workspace, a recording user interface and the
// main window, with short ways to reach the controls by their names.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <memory>
#include <string>

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
  QString label(int n) { return window.findChild<QLabel*>("Label" + QString::number(n))->text(); }

  ui::Workspace workspace;
  ScriptedUserInterface ui;
  ui::MainWindow window;
};

// A fresh folder for each test and one run of the program in it at a time; a QtTest class
// derives from it and calls new_folder() in init() and end_runs() in cleanup().
class ProgramRuns {
 protected:
  void new_folder() {
    program_.reset();
    dir_ = std::make_unique<TempDir>();
  }
  void end_runs() {
    program_.reset();
    dir_.reset();
  }
  // Starts the program in the folder (ending a run still going), with a command line.
  Program& start(const std::string& command_line = "") {
    program_.reset();
    program_ = std::make_unique<Program>(*dir_);
    program_->window.start(command_line);
    return *program_;
  }

  std::unique_ptr<TempDir> dir_;
  std::unique_ptr<Program> program_;
};

}  // namespace orvane::test
