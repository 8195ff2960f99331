// The desktop program.
#include <QApplication>
#include <QStringList>
#include <filesystem>
#include <system_error>

#include "ui/main_window.h"
#include "ui/qt_user_interface.h"
#include "ui/workspace.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Orvane");
  orvane::ui::QtUserInterface ui;

  // The settings file lives in the folder the program was started from. When that folder has
  // been removed, the program stops after saying so rather than going on with the settings of
  // a folder the user did not choose (the home folder's would silently change the positions and
  // options the observer relies on, and leave a settings file there).
  std::error_code error;
  const std::string start_folder = std::filesystem::current_path(error).string();
  if (error) {
    ui.message("The folder Orvane was started from cannot be found (" + error.message() +
               ").\r\nStart Orvane from an existing folder: its settings file orvane.ini is "
               "kept there.");
    return 1;
  }
  orvane::ui::Workspace workspace(start_folder + "/orvane.ini", start_folder);
  orvane::ui::MainWindow window(workspace, ui);
  ui.set_parent(&window);
  ui.set_settings(&workspace.settings);

  // The whole command line names one file; a path with blanks arrives in pieces.
  QStringList arguments = QApplication::arguments();
  arguments.removeFirst();
  window.start(arguments.join(' ').toStdString());
  return app.exec();
}
