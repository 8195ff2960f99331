#include "ui/folder_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/folder_list.h"
#include "ui/folder_browser.h"
#include "ui/named_controls.h"
#include "ui/window_position.h"

namespace orvane::ui {
FolderWindow::FolderWindow(const char* object_name, core::SettingsWindow place,
                           Workspace& workspace, core::UserInterface& ui, QWidget* parent)
    : QWidget(parent, Qt::Window),
      workspace_(workspace),
      ui_(ui, static_cast<QWidget*>(this)),
      place_(place) {
  setObjectName(object_name);
  auto* grid = new QGridLayout(this);
  browser_ = new FolderBrowser(this);
  grid->addWidget(browser_, 0, 0, 3, 1);
  list_ = new QPlainTextEdit(this);
  list_->setObjectName("Text1");
  list_->setLineWrapMode(QPlainTextEdit::NoWrap);
  grid->addWidget(list_, 0, 1, 3, 1);
  // The folder in use, so the user sees which folder OK will work on.
  folder_line_ = new QLabel(this);
  folder_line_->setObjectName("folder_line");
  folder_line_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  grid->addWidget(folder_line_, 4, 0, 1, 3);
  ok_button_ = named_button("Command1", "OK", this);
  QPushButton* cancel = named_button("Command2", "Cancel", this);
  QPushButton* sort_button = named_button("Command3", "Sort", this);
  auto* buttons = new QVBoxLayout;
  for (QPushButton* button : {ok_button_, cancel, sort_button}) buttons->addWidget(button);
  buttons->addStretch();
  grid->addLayout(buttons, 0, 2, 3, 1);
  extras_ = new QGridLayout;
  grid->addLayout(extras_, 3, 0, 1, 3);
  grid->setColumnStretch(1, 1);
  resize(620, 380);
  restore_position(*this, workspace_.settings, place_);

  connect(browser_, &FolderBrowser::folder_chosen, this, [this](const QString& folder) {
    workspace_.current_folder = folder.toStdString();
    file_list_make(folder_ = folder.toStdString());
  });
  connect(ok_button_, &QPushButton::clicked, this, &FolderWindow::ok);
  connect(cancel, &QPushButton::clicked, this, &QWidget::close);
  connect(sort_button, &QPushButton::clicked, this, &FolderWindow::sort);

  folder_ = workspace_.current_folder;
  browser_->show_folder(QString::fromStdString(folder_));
  file_list_make(folder_);
}

void FolderWindow::file_list_make(const std::string& folder) {
  folder_line_->setText(QString::fromStdString(folder));
  core::Result<core::FileList> listed = core::file_list_make(folder);
  if (!listed) {
    list_->clear();
    ui_.message(listed.error());
    return;
  }
  list_->setPlainText(QString::fromStdString(core::file_list_text(listed->names)));
  if (!listed->warning.empty()) ui_.message(listed->warning);
}

std::vector<std::string> FolderWindow::file_list_take() {
  core::FileList taken = core::file_list_take(list_->toPlainText().toStdString());
  if (!taken.warning.empty()) ui_.message(taken.warning);
  return taken.names;
}

void FolderWindow::sort() {
  std::vector<std::string> names = file_list_take();
  core::sort_by_character_codes(names);
  list_->setPlainText(QString::fromStdString(core::file_list_text(names)));
}

void FolderWindow::ok() {
  std::vector<std::string> paths;
  for (const std::string& name : file_list_take()) {
    paths.push_back(core::path_in_folder(folder_, name));
  }
  // The window steps aside while its work runs (a batch's progress, a question).
  hide();
  if (!action_ || action_(paths)) {
    close();
  } else {
    show();
  }
}

void FolderWindow::closeEvent(QCloseEvent* event) {
  store_position(*this, workspace_.settings, place_);
  event->accept();
}

FolderSettingWindow::FolderSettingWindow(const QString& caption, Workspace& workspace,
                                         core::UserInterface& ui, QWidget* parent)
    : FolderWindow("Form7", core::SettingsWindow::kForm7, workspace, ui, parent) {
  setWindowTitle(caption);
  auto* sign = new QCheckBox("Non Sign Integer", this);
  sign->setObjectName("Check1");
  sign->setChecked(workspace_.frame.sign_mode != -1);
  connect(sign, &QCheckBox::toggled, this,
          [this](bool on) { workspace_.frame.sign_mode = on ? 1 : -1; });
  unchecked_ = new QCheckBox("pictures are not checked", this);
  unchecked_->setObjectName("Check2");
  extras()->addWidget(sign, 0, 0);
  extras()->addWidget(unchecked_, 0, 1);
}

bool FolderSettingWindow::pictures_not_checked() const {
  return unchecked_->isChecked();
}

}  // namespace orvane::ui
