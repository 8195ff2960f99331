#pragma once

#include <QWidget>
#include <array>
#include <functional>
#include <string>

#include "core/user_interface.h"
#include "ui/workspace.h"

class QCheckBox;
class QFileSystemModel;
class QLineEdit;
class QListView;
class QRadioButton;

namespace orvane::ui {

class FolderBrowser;

// What the file dialog is shown for; each opening keeps its own.
enum class FileDialogMode {
  kOpen = 0,
  kDarkSubtract = 1,
  kFlatField = 2,
  kSave = 3,
  kContinuousDark = 4,
  kContinuousFlat = 5,
  kPhotometryData = 6,
};

// What OK hands on: the chosen path (absolute) and the dialog's choices.
struct FileChoice {
  FileDialogMode mode = FileDialogMode::kOpen;
  std::string path;
  int bitpix = 0;              // save: 8, 16 or 32
  bool keep_negative = false;  // "The minus is used"
};

// The program's file dialog ("Form2"): drive, folder and file lists and the file name box, one
// window for opening, saving, choosing a dark or flat frame and the photometry data file.
class FileDialog : public QWidget {
  Q_OBJECT

 public:
  // Carries out OK; true when the dialog may close.
  using Action = std::function<bool(const FileChoice&)>;

  FileDialog(FileDialogMode mode, Workspace& workspace, core::UserInterface& ui, Action action,
             QWidget* parent = nullptr);

  FileDialogMode mode() const { return mode_; }
  static QString caption(FileDialogMode mode);

  // "OK": the mode's checks, then the action.
  void ok();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void build();
  void show_folder(const QString& folder);
  void file_name_set(const QString& file_name);

  FileDialogMode mode_;
  Workspace& workspace_;
  core::WindowUserInterface ui_;  // messages owned by this window
  Action action_;
  FolderBrowser* browser_ = nullptr;
  QListView* files_ = nullptr;
  QFileSystemModel* file_model_ = nullptr;
  QLineEdit* name_box_ = nullptr;
  std::array<QRadioButton*, 3> bitpix_{};
  QCheckBox* minus_used_ = nullptr;
  QCheckBox* unsigned_ = nullptr;
};

}  // namespace orvane::ui
