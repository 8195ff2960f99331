#include "ui/function_window.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "core/number_text.h"
#include "ui/named_controls.h"
#include "ui/window_position.h"

namespace orvane::ui {

FunctionWindow::FunctionWindow(Workspace& workspace, IntensityCurveWindow* curve,
                               core::UserInterface& ui, QWidget* parent)
    : QDialog(parent), workspace_(workspace), curve_(curve), ui_(ui, static_cast<QWidget*>(this)) {
  setObjectName("Form20");
  set_whole_caption(*this, "High order function");
  auto* grid = new QGridLayout(this);
  grid->addWidget(named_label("Label2", "function", this), 0, 0);
  degrees_ = new QComboBox(this);
  degrees_->setObjectName("Combo1");
  degrees_->addItems({"2", "3", "4", "5"});
  degrees_->setCurrentIndex(3);
  grid->addWidget(degrees_, 0, 1);
  row_label_ = named_label("Label1", "", this);
  grid->addWidget(row_label_, 1, 0, 1, 2);
  QPushButton* draw = named_button("Command1", "Fit", this);
  grid->addWidget(draw, 2, 1);
  restore_position(*this, workspace_.settings, core::SettingsWindow::kForm20);
  show_row(workspace_.display.line_row);
  connect(draw, &QPushButton::clicked, this, &FunctionWindow::fit_and_draw);
}

void FunctionWindow::show_row(int row) {
  row_label_->setText(QString::fromStdString("y =" + core::str(row)));
}

void FunctionWindow::fit_and_draw() {
  const core::ImageFrame& frame = workspace_.frame;
  const int row = workspace_.display.line_row;
  const int degree = degrees_->currentIndex() + 2;
  if (row < 0 || row >= frame.height) return;
  const std::optional<processing::Polynomial> fit =
      processing::function_approximate(frame.pixels.row(row), frame.width, degree);
  if (!fit) {
    ui_.message("The row y =" + core::str(row) + " cannot be fitted by a function of degree" +
                core::str(degree) + ": it is too short or its values do not determine one.");
    return;
  }
  if (!curve_) return;
  curve_->plot();
  curve_->draw_fit(*fit);
}

void FunctionWindow::done(int result) {
  store_position(*this, workspace_.settings, core::SettingsWindow::kForm20);
  QDialog::done(result);
}

}  // namespace orvane::ui
