#include "ui/folder_browser.h"

#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QStorageInfo>
#include <QTreeView>
#include <QVBoxLayout>

namespace orvane::ui {

FolderBrowser::FolderBrowser(QWidget* parent) : QWidget(parent) {
  drives_ = new QComboBox(this);
  drives_->setObjectName("Drive1");
  folders_ = new QTreeView(this);
  folders_->setObjectName("Dir1");
  model_ = new QFileSystemModel(this);
  model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
  model_->setRootPath(QDir::rootPath());
  folders_->setModel(model_);
  for (int column = 1; column < model_->columnCount(); ++column) folders_->hideColumn(column);
  folders_->header()->hide();
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(drives_);
  layout->addWidget(folders_);
  fill_drives();

  connect(drives_, &QComboBox::activated, this, &FolderBrowser::choose_drive);
  // Folders are listed in the background: once the chosen one's parent is there, show it.
  connect(model_, &QFileSystemModel::directoryLoaded, this, [this] {
    folders_->scrollTo(model_->index(folder_), QAbstractItemView::PositionAtCenter);
  });
  // The folder in use follows the current item however it moved (a click, the arrow keys,
  // typing a name), so a window never acts on a folder other than the one it highlights.
  connect(folders_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& index) {
            if (showing_ || !index.isValid()) return;
            folder_ = model_->filePath(index);
            emit folder_chosen(folder_);
          });
}

// Every mounted volume a user can browse, and the home folder first.
void FolderBrowser::fill_drives() {
  drives_->addItem(QDir::homePath(), QDir::homePath());
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
    if (!volume.isValid() || !volume.isReady()) continue;
    const QString root = volume.rootPath();
    if (drives_->findData(root) < 0) drives_->addItem(root, root);
  }
}

void FolderBrowser::choose_drive(int index) {
  const QString root = drives_->itemData(index).toString();
  folders_->setRootIndex(model_->index(root));
  folder_ = root;
  emit folder_chosen(folder_);
}

void FolderBrowser::show_folder(const QString& folder) {
  // Shown, not chosen: the current item moves without reporting a choice.
  showing_ = true;
  folder_ = QDir(folder).absolutePath();
  // The drive that holds the folder: the longest root that starts it.
  int best = -1;
  qsizetype best_length = -1;
  for (int i = 0; i < drives_->count(); ++i) {
    const QString root = drives_->itemData(i).toString();
    const bool holds =
        folder_ == root || folder_.startsWith(root.endsWith('/') ? root : root + '/');
    if (holds && root.size() > best_length) best = i, best_length = root.size();
  }
  if (best >= 0) {
    drives_->setCurrentIndex(best);
    folders_->setRootIndex(model_->index(drives_->itemData(best).toString()));
  }
  const QModelIndex index = model_->index(folder_);
  for (QModelIndex above = index.parent(); above.isValid(); above = above.parent()) {
    folders_->expand(above);
  }
  folders_->setCurrentIndex(index);
  folders_->scrollTo(index, QAbstractItemView::PositionAtCenter);
  showing_ = false;
}

}  // namespace orvane::ui
