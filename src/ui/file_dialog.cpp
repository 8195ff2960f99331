#include "ui/file_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <filesystem>

#include "ui/folder_browser.h"
#include "ui/named_controls.h"
#include "ui/window_position.h"

namespace orvane::ui {
namespace {

const QStringList kFitsPattern = {"*.fit", "*.fts", "*.fits", "*.FIT", "*.FTS", "*.FITS"};
const QStringList kTextPattern = {"*.txt", "*.TXT"};

}  // namespace

QString FileDialog::caption(FileDialogMode mode) {
  switch (mode) {
    case FileDialogMode::kOpen:
      return "File open";
    case FileDialogMode::kDarkSubtract:
      return "Dark Subtract";
    case FileDialogMode::kFlatField:
      return "Flat Field";
    case FileDialogMode::kSave:
      return "File save";
    case FileDialogMode::kContinuousDark:
      return "Setting of DARK file ";
    case FileDialogMode::kContinuousFlat:
      return "Setting of FLAT file ";
    case FileDialogMode::kPhotometryData:
      return "Photometry data (mag_est.txt) ";
  }
  return {};
}

FileDialog::FileDialog(FileDialogMode mode, Workspace& workspace, core::UserInterface& ui,
                       Action action, QWidget* parent)
    : QWidget(parent, Qt::Window),
      mode_(mode),
      workspace_(workspace),
      ui_(ui, static_cast<QWidget*>(this)),
      action_(std::move(action)) {
  setObjectName("Form2");
  setWindowTitle(caption(mode));
  build();
  restore_position(*this, workspace_.settings, core::SettingsWindow::kForm2);
  // The data file proposed is the current folder's "mag_est.txt", never the open frame, which
  // could otherwise be listed and saved back as records.
  name_box_->setText(QString::fromStdString(
      mode == FileDialogMode::kPhotometryData
          ? (std::filesystem::path(workspace_.current_folder) / "mag_est.txt").string()
          : workspace_.frame.file_path));
  // Case does not matter, so "*.fit" also lists ".Fit" and ".fIT" files.
  file_model_->setNameFilters(mode == FileDialogMode::kPhotometryData ? kTextPattern
                                                                      : kFitsPattern);
  unsigned_->setChecked(workspace_.frame.sign_mode != -1);
  unsigned_->setEnabled(mode != FileDialogMode::kSave);
  show_folder(QString::fromStdString(workspace_.current_folder));
}

void FileDialog::build() {
  auto* grid = new QGridLayout(this);
  browser_ = new FolderBrowser(this);
  grid->addWidget(browser_, 0, 0, 4, 1);

  file_model_ = new QFileSystemModel(this);
  file_model_->setFilter(QDir::Files);
  file_model_->setNameFilterDisables(false);
  files_ = new QListView(this);
  files_->setObjectName("File1");
  files_->setModel(file_model_);
  grid->addWidget(files_, 0, 1, 4, 2);

  name_box_ = new QLineEdit(this);
  name_box_->setObjectName("Text1");
  name_box_->setMinimumWidth(420);
  grid->addWidget(name_box_, 4, 0, 1, 3);

  auto* bitpix_label = new QLabel("BITPIX", this);
  bitpix_label->setObjectName("Label1");
  grid->addWidget(bitpix_label, 5, 0);
  auto* bitpix_row = new QHBoxLayout;
  const char* const kBits[] = {"8", "16", "32"};
  for (int i = 0; i < 3; ++i) {
    bitpix_[i] = new QRadioButton(kBits[i], this);
    bitpix_[i]->setObjectName(QStringLiteral("Option%1").arg(i + 1));
    bitpix_row->addWidget(bitpix_[i]);
  }
  grid->addLayout(bitpix_row, 5, 1, 1, 2);
  minus_used_ = new QCheckBox("The minus is used", this);
  minus_used_->setObjectName("Check1");
  grid->addWidget(minus_used_, 6, 0);
  unsigned_ = new QCheckBox("Non Sign Integer", this);
  unsigned_->setObjectName("Check2");
  grid->addWidget(unsigned_, 7, 0);
  QPushButton* ok_button = named_button("Command1", "OK", this);
  QPushButton* cancel = named_button("Command2", "cancel", this);
  grid->addWidget(ok_button, 6, 2);
  grid->addWidget(cancel, 7, 2);

  connect(browser_, &FolderBrowser::folder_chosen, this, &FileDialog::show_folder);
  connect(files_, &QListView::clicked, this,
          [this](const QModelIndex& index) { file_name_set(file_model_->fileName(index)); });
  connect(name_box_, &QLineEdit::returnPressed, this, &FileDialog::ok);
  connect(ok_button, &QPushButton::clicked, this, &FileDialog::ok);
  connect(cancel, &QPushButton::clicked, this, &QWidget::close);
  connect(unsigned_, &QCheckBox::toggled, this,
          [this](bool on) { workspace_.frame.sign_mode = on ? 1 : -1; });
}

// Moves the file list to the folder, which becomes the current one, and puts it into the name
// box as file_name_set does with no file chosen yet.
void FileDialog::show_folder(const QString& folder) {
  const QString absolute = QDir(folder).absolutePath();
  browser_->show_folder(absolute);
  files_->setRootIndex(file_model_->setRootPath(absolute));
  workspace_.current_folder = absolute.toStdString();
}

void FileDialog::file_name_set(const QString& file_name) {
  const QString folder = browser_->folder();
  workspace_.current_folder = folder.toStdString();
  name_box_->setText(folder + (folder.endsWith('/') ? "" : "/") + file_name);
}

void FileDialog::ok() {
  FileChoice choice;
  choice.mode = mode_;
  // Names are made absolute when chosen, so browsing on can never redirect them.
  std::filesystem::path path(name_box_->text().trimmed().toStdString());
  if (path.is_relative()) path = std::filesystem::path(workspace_.current_folder) / path;
  choice.path = path.lexically_normal().string();
  choice.keep_negative = minus_used_->isChecked();
  if (mode_ == FileDialogMode::kSave) {
    static constexpr int kBits[] = {8, 16, 32};
    for (int i = 0; i < 3; ++i) {
      if (bitpix_[i]->isChecked()) choice.bitpix = kBits[i];
    }
    if (choice.bitpix == 0) {
      ui_.message("Please set a BITPIX");
      return;
    }
    if (QFileInfo::exists(QString::fromStdString(choice.path)) &&
        !ui_.ask_ok_cancel("Replace " + choice.path + "?")) {
      return;
    }
  }
  if (action_(choice)) close();
}

// Escape is "cancel", as in every dialog.
void FileDialog::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}

void FileDialog::closeEvent(QCloseEvent* event) {
  store_position(*this, workspace_.settings, core::SettingsWindow::kForm2);
  event->accept();
}

}  // namespace orvane::ui
