#include "ui/picture_export_window.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <filesystem>

#include "core/number_text.h"
#include "display/picture_export.h"
#include "picture/picture_writer.h"
#include "ui/named_controls.h"
#include "ui/window_position.h"

namespace orvane::ui {

PictureExportWindow::PictureExportWindow(Workspace& workspace, SharedProcedures& procedures,
                                         core::UserInterface& ui, QWidget* parent)
    : QDialog(parent),
      workspace_(workspace),
      procedures_(procedures),
      ui_(ui, static_cast<QWidget*>(this)),
      quality_(display::kDefaultJpegQuality) {
  setObjectName("Form19");
  set_whole_caption(*this, "Image save to BMP & JPEG");
  auto* grid = new QGridLayout(this);
  name_box_ = named_box("Text1", this, 260);
  name_box_->setText(
      QString::fromStdString(display::proposed_bitmap_name(workspace_.frame.file_path)));
  add_jpeg_ = new QCheckBox("Addition Jpeg File", this);
  add_jpeg_->setObjectName("Check1");
  quality_box_ = named_box("Text2", this, 60);
  quality_box_->setText(QString::number(quality_));
  quality_box_->setEnabled(false);
  QPushButton* save_button = named_button("Command1", "Save", this);
  QPushButton* cancel = named_button("Command2", "Cancel", this);
  grid->addWidget(named_label("Label1", "File Name", this), 0, 0);
  grid->addWidget(name_box_, 0, 1, 1, 2);
  grid->addWidget(add_jpeg_, 1, 0, 1, 3);
  grid->addWidget(named_label("Label2", "Compression ratio (0-100)", this), 2, 0, 1, 2);
  grid->addWidget(quality_box_, 2, 2);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(save_button);
  buttons->addWidget(cancel);
  grid->addLayout(buttons, 3, 0, 1, 3);

  connect(add_jpeg_, &QCheckBox::toggled, quality_box_, &QLineEdit::setEnabled);
  connect(quality_box_, &QLineEdit::textChanged, this, [this](const QString& text) {
    quality_ = display::typed_quality(core::val(text.toStdString()), quality_);
  });
  connect(save_button, &QPushButton::clicked, this, &PictureExportWindow::save);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

std::string PictureExportWindow::bitmap_path() const {
  const std::filesystem::path name(name_box_->text().toStdString());
  if (name.is_absolute()) return name.string();
  return (std::filesystem::path(workspace_.current_folder) / name).string();
}

void PictureExportWindow::save() {
  const display::RgbImage* shown = procedures_.shown_picture();
  if (shown == nullptr) {
    ui_.message("The image window is closed: there is no picture to save.");
    return;
  }
  const std::string bitmap = bitmap_path();
  if (auto written = picture::write_picture(*shown, bitmap, "BMP", -1); !written) {
    ui_.message(written.error());
    return;
  }
  if (add_jpeg_->isChecked()) {
    const std::string jpeg = display::jpeg_name(bitmap);
    if (auto written = picture::write_picture(*shown, jpeg, "JPG", quality_); !written) {
      ui_.message(written.error());
      return;
    }
  }
  accept();
}

}  // namespace orvane::ui
