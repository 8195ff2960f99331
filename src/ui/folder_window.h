#pragma once

#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "core/settings_file.h"
#include "core/user_interface.h"
#include "ui/workspace.h"

class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace orvane::ui {

class FolderBrowser;

// A window that chooses a folder and works on its FITS files: the drive and folder lists, the
// list box of file names (which the user may edit: its lines are the batch, in their order),
// OK, "Cancel" and "Sort". The window's own controls go below the list.
class FolderWindow : public QWidget {
  Q_OBJECT

 public:
  // Carries out OK on the listed files (absolute paths); true when the window may close.
  using Action = std::function<bool(const std::vector<std::string>& paths)>;

  FolderWindow(const char* object_name, core::SettingsWindow place, Workspace& workspace,
               core::UserInterface& ui, QWidget* parent = nullptr);

  void set_action(Action action) { action_ = std::move(action); }
  core::SettingsWindow place() const { return place_; }
  // The folder the list was made from (absolute).
  std::string folder() const { return folder_; }

  // file_list_make: lists the folder's FITS files into the list box.
  void file_list_make(const std::string& folder);
  // file_list_take: the list box's lines as names.
  std::vector<std::string> file_list_take();
  void sort();
  void ok();

 protected:
  // Where the window's own controls go.
  QGridLayout* extras() const { return extras_; }
  QPushButton* ok_button() const { return ok_button_; }
  void closeEvent(QCloseEvent* event) override;

  Workspace& workspace_;
  core::WindowUserInterface ui_;  // messages owned by this window

 private:
  core::SettingsWindow place_;
  FolderBrowser* browser_ = nullptr;
  QPlainTextEdit* list_ = nullptr;
  QLabel* folder_line_ = nullptr;
  QPushButton* ok_button_ = nullptr;
  QGridLayout* extras_ = nullptr;
  std::string folder_;
  Action action_;
};

// The folder window of the continuous dark and flat steps and of automatic photometry
// ("Form7"), with "Non Sign Integer" and "pictures are not checked".
class FolderSettingWindow : public FolderWindow {
  Q_OBJECT

 public:
  FolderSettingWindow(const QString& caption, Workspace& workspace, core::UserInterface& ui,
                      QWidget* parent = nullptr);
  bool pictures_not_checked() const;

 private:
  QCheckBox* unchecked_ = nullptr;
};

}  // namespace orvane::ui
