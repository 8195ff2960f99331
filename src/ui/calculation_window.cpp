#include "ui/calculation_window.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>

#include "core/number_text.h"
#include "processing/calculation.h"
#include "processing/rows_outcome.h"
#include "ui/named_controls.h"
#include "ui/window_position.h"

namespace orvane::ui {

CalculationWindow::CalculationWindow(Workspace& workspace, SharedProcedures& procedures,
                                     core::UserInterface& ui, QWidget* parent)
    : QDialog(parent),
      workspace_(workspace),
      procedures_(procedures),
      ui_(ui, static_cast<QWidget*>(this)) {
  setObjectName("Form16");
  setWindowTitle("Calculation");
  auto* grid = new QGridLayout(this);
  operand_box_ = named_box("Text1", this, 120);
  operand_box_->setText("100.0");
  grid->addWidget(operand_box_, 0, 0);
  QPushButton* add = named_button("Command1", "Addition", this);
  QPushButton* multiply = named_button("Command2", "Multiplication", this);
  QPushButton* cancel = named_button("Command3", "Cancel", this);
  QPushButton* all_rows =
      named_button("Command4", "All line Automatic Inclination compensation", this);
  whole_file_reading_ = new QCheckBox("calculate whole file reading", this);
  whole_file_reading_->setObjectName("Check1");
  grid->addWidget(add, 0, 1);
  grid->addWidget(multiply, 0, 2);
  grid->addWidget(whole_file_reading_, 1, 0, 1, 3);
  grid->addWidget(all_rows, 2, 0, 1, 3);
  grid->addWidget(cancel, 3, 2);
  restore_position(*this, workspace_.settings, core::SettingsWindow::kForm16);

  connect(add, &QPushButton::clicked, this, [this] { calculate(false); });
  connect(multiply, &QPushButton::clicked, this, [this] { calculate(true); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(all_rows, &QPushButton::clicked, this, &CalculationWindow::compensate_all_rows);
}

void CalculationWindow::calculate(bool multiply) {
  const double operand = core::val(operand_box_->text().toStdString());
  const auto operation =
      multiply ? processing::CalcOperation::kMultiply : processing::CalcOperation::kAdd;
  const bool whole_file_reading = whole_file_reading_->isChecked();
  const FrameStepPlan plan{.beep = true, .change = {.auto_contrast = false}};
  FrameStep(workspace_, procedures_, ui_).run(plan, [&](core::ImageFrame& frame) {
    processing::calculate(frame, operation, operand);
    processing::set_read_calculation(frame, operation, operand, whole_file_reading);
    return core::Result<std::string>(std::string());
  });
  accept();
}

void CalculationWindow::compensate_all_rows() {
  const FrameStepPlan plan{.beep = true, .change = {.auto_contrast = false}};
  FrameStep(workspace_, procedures_, ui_).run(plan, [this](core::ImageFrame& frame) {
    core::ProgressGuard progress(ui_);
    const processing::RowsOutcome outcome = processing::inclination_compensate_all(frame, ui_);
    return core::Result<std::string>(processing::rows_left_message(outcome));
  });
  accept();
}

void CalculationWindow::done(int result) {
  store_position(*this, workspace_.settings, core::SettingsWindow::kForm16);
  QDialog::done(result);
}

}  // namespace orvane::ui
