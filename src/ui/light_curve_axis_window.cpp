#include "ui/light_curve_axis_window.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include "ui/named_controls.h"

namespace orvane::ui {
namespace {

QString qt(const std::string& text) {
  return QString::fromStdString(text);
}

}  // namespace

LightCurveAxisWindow::LightCurveAxisWindow(const lightcurve::AxisSettings& current,
                                           core::UserInterface& ui, QWidget* parent)
    : QDialog(parent), ui_(ui, static_cast<QWidget*>(this)) {
  setObjectName("Form18");
  setWindowTitle("Light Curve X-Y Axis");
  setModal(true);
  build();
  const lightcurve::AxisWindowTexts t = lightcurve::axis_window_texts(current);
  const std::string* texts[] = {&t.hour_from, &t.hour_to, &t.check_from, &t.check_to,
                                &t.var_from,  &t.var_to,  &t.check_step, &t.var_step};
  for (std::size_t i = 0; i < boxes_.size(); ++i) boxes_[i]->setText(qt(*texts[i]));
}

void LightCurveAxisWindow::build() {
  auto* grid = new QGridLayout(this);
  const char* const kLabels[][2] = {
      {"Label1", "Hour Axis"}, {"Label2", "C-K Axis"}, {"Label3", "V-C Axis"}, {"Label4", "step"}};
  // Tips say what each box holds, since the step row's two boxes are not a range.
  const char* const kTips[] = {"from", "to", "from", "to", "from", "to", "C-K", "V-C"};
  for (int row = 0; row < 4; ++row) {
    grid->addWidget(named_label(kLabels[row][0], kLabels[row][1], this), row, 0);
    for (int column = 0; column < 2; ++column) {
      const int index = 2 * row + column;
      auto* box = new QLineEdit(this);
      box->setObjectName(QStringLiteral("Text%1").arg(index + 1));
      box->setFixedWidth(80);
      box->setToolTip(kTips[index]);
      grid->addWidget(box, row, 1 + column);
      boxes_[index] = box;
    }
  }
  QPushButton* ok = named_button("Command1", "OK", this);
  QPushButton* cancel = named_button("Command2", "Cancel", this);
  QPushButton* auto_scale = named_button("Command3", "Auto scale", this);
  grid->addWidget(ok, 0, 3);
  grid->addWidget(cancel, 1, 3);
  grid->addWidget(auto_scale, 3, 3);
  connect(ok, &QPushButton::clicked, this, &LightCurveAxisWindow::accept_ranges);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(auto_scale, &QPushButton::clicked, this, [this] {
    emit auto_scale_chosen();
    accept();
  });
}

lightcurve::AxisWindowTexts LightCurveAxisWindow::typed_texts() const {
  auto text = [this](int index) { return boxes_[index]->text().toStdString(); };
  return {text(0), text(1), text(2), text(3), text(4), text(5), text(6), text(7)};
}

// A refusal leaves the window open with the boxes as typed, so the user can correct them.
void LightCurveAxisWindow::accept_ranges() {
  auto settings = lightcurve::axis_window_ok(typed_texts());
  if (!settings) {
    ui_.message(settings.error());
    return;
  }
  emit ranges_typed(*settings);
  accept();
}

}  // namespace orvane::ui
