// The desktop program.
#include <QApplication>
#include <QStringList>
#include <filesystem>

#include "ui/main_window.h"
#include "ui/qt_user_interface.h"
#include "ui/workspace.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Orvane");

  // The settings file lives in the folder the program was started from.
  const std::string start_folder = std::filesystem::current_path().string();
  orvane::ui::Workspace workspace(start_folder + "/orvane.ini", start_folder);
  orvane::ui::QtUserInterface ui;
  orvane::ui::MainWindow window(workspace, ui);
  ui.set_parent(&window);
  ui.set_settings(&workspace.settings);

  // The whole command line names one file; a path with blanks arrives in pieces.
  QStringList arguments = QApplication::arguments();
  arguments.removeFirst();
  window.start(arguments.join(' ').toStdString());
  return app.exec();
}
