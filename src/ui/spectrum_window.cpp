#include "ui/spectrum_window.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <filesystem>

#include "core/derived_names.h"
#include "core/number_text.h"
#include "processing/calculation.h"
#include "processing/profile_files.h"
#include "ui/named_controls.h"
#include "ui/window_position.h"

namespace orvane::ui {
namespace {

QString qt(const std::string& text) {
  return QString::fromStdString(text);
}

}  // namespace

SpectrumWindow::SpectrumWindow(Workspace& workspace, core::UserInterface& ui, QWidget* parent)
    : QWidget(parent, Qt::Window), workspace_(workspace), ui_(ui, static_cast<QWidget*>(this)) {
  setObjectName("Form12");
  setWindowTitle("Intensity curve");
  auto* grid = new QGridLayout(this);
  name_box_ = named_box("Text1", this, 260);
  name_box_->setText("binning.txt");
  // A frame's own name gives the file its name, beside the frame.
  if (workspace_.frame.file_path.size() > 3) {
    name_box_->setText(qt(core::derived_name(workspace_.frame.file_path, ".txt")));
  }
  grid->addWidget(name_box_, 0, 0, 1, 4);
  QPushButton* up = named_button("Command1", "Up", this);
  QPushButton* down = named_button("Command2", "Down", this);
  QPushButton* save = named_button("Command3", "Save to disk", this);
  QPushButton* cancel = named_button("Command4", "Cancel", this);
  QPushButton* compensation = named_button("Command5", "Inclination compensation", this);
  undo_button_ = named_button("Command6", "UnDo", this);
  undo_button_->setEnabled(false);
  grid->addWidget(up, 1, 0);
  grid->addWidget(down, 1, 1);
  grid->addWidget(save, 1, 2);
  grid->addWidget(cancel, 1, 3);
  grid->addWidget(compensation, 2, 0, 1, 3);
  grid->addWidget(undo_button_, 2, 3);

  auto* axis = new QGroupBox("X -axis", this);
  axis->setObjectName("Frame1");
  auto* axis_grid = new QGridLayout(axis);
  auto* pixel_option = new QRadioButton("Pixel", axis);
  pixel_option->setObjectName("Option1");
  pixel_option->setChecked(true);
  wavelength_option_ = new QRadioButton("Wavelength", axis);
  wavelength_option_->setObjectName("Option2");
  start_box_ = named_box("Text2", axis, 90);
  end_box_ = named_box("Text3", axis, 90);
  start_box_->setText(qt(core::str_trimmed(workspace_.settings.wavelength_start())));
  end_box_->setText(qt(core::str_trimmed(workspace_.settings.wavelength_end())));
  axis_grid->addWidget(pixel_option, 0, 0);
  axis_grid->addWidget(wavelength_option_, 1, 0);
  axis_grid->addWidget(named_label("Label1", "start", axis), 0, 1);
  axis_grid->addWidget(start_box_, 0, 2);
  axis_grid->addWidget(named_label("Label2", "end", axis), 1, 1);
  axis_grid->addWidget(end_box_, 1, 2);
  axis_grid->addWidget(named_label("Label3", "Angstrom", axis), 0, 3, 2, 1);
  grid->addWidget(axis, 3, 0, 1, 4);
  show_axis_boxes();
  restore_position(*this, workspace_.settings, core::SettingsWindow::kForm12);

  connect(up, &QPushButton::clicked, this, [this] { emit move_requested(-1); });
  connect(down, &QPushButton::clicked, this, [this] { emit move_requested(1); });
  connect(save, &QPushButton::clicked, this, &SpectrumWindow::save_to_disk);
  connect(cancel, &QPushButton::clicked, this, &SpectrumWindow::cancel_requested);
  connect(compensation, &QPushButton::clicked, this, &SpectrumWindow::compensate);
  connect(undo_button_, &QPushButton::clicked, this, &SpectrumWindow::undo_compensation);
  connect(wavelength_option_, &QRadioButton::toggled, this, &SpectrumWindow::show_axis_boxes);
}

void SpectrumWindow::show_axis_boxes() {
  start_box_->setEnabled(wavelength_option_->isChecked());
  end_box_->setEnabled(wavelength_option_->isChecked());
}

// The three files of the profile line's row; a name without a folder goes to the current one.
void SpectrumWindow::save_to_disk() {
  const double start = core::val(start_box_->text().toStdString());
  const double end = core::val(end_box_->text().toStdString());
  workspace_.settings.set_wavelengths(start, end);
  const std::string name = name_box_->text().toStdString();
  const std::filesystem::path path(name);
  const std::string target =
      path.is_absolute() ? name
                         : (std::filesystem::path(workspace_.current_folder) / path).string();
  const processing::ProfileAxis axis{
      .wavelength = wavelength_option_->isChecked(), .start = start, .end = end};
  const core::Status written =
      processing::write_profile_files(workspace_.frame, workspace_.display.line_row, target, axis);
  ui_.message(written ? "Completion ,save to " + name : written.error());
}

void SpectrumWindow::compensate() {
  const int row = workspace_.display.line_row;
  if (row < 0 || row >= std::min(workspace_.frame.height, core::ImageFrame::kMaxSide)) return;
  processing::RowsOutcome outcome;
  if (processing::inclination_compensate(workspace_.frame, row, kept_row_.data(), outcome)) {
    kept_row_index_ = row;
    undo_button_->setEnabled(true);
  }
  emit move_requested(0);
  if (std::string left = processing::rows_left_message(outcome); !left.empty()) ui_.message(left);
}

// The row kept by the last compensation goes back where it was taken from.
void SpectrumWindow::undo_compensation() {
  if (kept_row_index_ < 0) return;
  const int width = std::clamp(workspace_.frame.width, 0, core::ImageFrame::kMaxSide);
  std::copy_n(kept_row_.begin(), width, workspace_.frame.pixels.row(kept_row_index_));
  kept_row_index_ = -1;
  undo_button_->setEnabled(false);
  emit move_requested(0);
}

void SpectrumWindow::closeEvent(QCloseEvent* event) {
  store_position(*this, workspace_.settings, core::SettingsWindow::kForm12);
  event->accept();
}

}  // namespace orvane::ui
