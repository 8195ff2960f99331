#include "ui/folder_browser.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
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
  // Folders are listed in the background: once the shown one's parent is there, scroll to it,
  // once; later loads (other programs making folders nearby) must not move the list.
  connect(model_, &QFileSystemModel::directoryLoaded, this, [this](const QString& path) {
    if (!scroll_pending_) return;
    folders_->scrollTo(model_->index(folder_), QAbstractItemView::PositionAtCenter);
    if (path == QFileInfo(folder_).path() || path == folder_) scroll_pending_ = false;
  });
  // While the list is sorted again or grows, the item at the top of the view stays at the top,
  // so the item under the pointer is still the one a click meant.
  const auto keep_top = [this] { top_item_ = folders_->indexAt(QPoint(1, 1)); };
  const auto restore_top = [this] {
    if (top_item_.isValid()) folders_->scrollTo(top_item_, QAbstractItemView::PositionAtTop);
  };
  connect(model_, &QAbstractItemModel::layoutAboutToBeChanged, this, keep_top);
  connect(model_, &QAbstractItemModel::rowsAboutToBeInserted, this, keep_top);
  connect(model_, &QAbstractItemModel::rowsAboutToBeRemoved, this, keep_top);
  connect(model_, &QAbstractItemModel::layoutChanged, this, restore_top);
  connect(model_, &QAbstractItemModel::rowsInserted, this, restore_top);
  connect(model_, &QAbstractItemModel::rowsRemoved, this, restore_top);
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
  scroll_pending_ = true;
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
