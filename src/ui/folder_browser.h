#pragma once

#include <QPersistentModelIndex>
#include <QWidget>

class QComboBox;
class QFileSystemModel;
class QTreeView;

namespace orvane::ui {

// The drive list ("Drive1": the mounted volumes and the home folder) over the folder list
// ("Dir1"), shared by the file dialog and the folder windows. Choosing a drive shows its
// folders; choosing a folder (a click, the arrow keys, typing) reports it.
class FolderBrowser : public QWidget {
  Q_OBJECT

 public:
  explicit FolderBrowser(QWidget* parent = nullptr);

  // Shows the folder (and the drive that holds it) as the chosen one, without reporting it.
  void show_folder(const QString& folder);
  QString folder() const { return folder_; }

 signals:
  // A folder was chosen by the user: an absolute path.
  void folder_chosen(const QString& folder);

 private:
  void choose_drive(int index);
  void fill_drives();

  QComboBox* drives_ = nullptr;
  QTreeView* folders_ = nullptr;
  QFileSystemModel* model_ = nullptr;
  QString folder_;
  bool showing_ = false;            // show_folder is moving the current item
  bool scroll_pending_ = false;     // the shown folder is to be scrolled into view once listed
  QPersistentModelIndex top_item_;  // the item at the top of the view while the list changes
};

}  // namespace orvane::ui
