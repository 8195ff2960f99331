#include "ui/position_window.h"

#include <QPushButton>
#include <QVBoxLayout>

#include "ui/window_position.h"

namespace orvane::ui {

using photometry::Slot;

PositionWindow::PositionWindow(SharedProcedures& procedures, photometry::Position clicked,
                               bool sky_buttons, const QString& caption, QWidget* parent)
    : QDialog(parent), procedures_(procedures), clicked_(clicked) {
  setObjectName(sky_buttons ? "Form5" : "Form10");
  set_whole_caption(*this, caption);
  new QVBoxLayout(this);
  if (sky_buttons) {
    add_button(1, "Comparison", Slot::kComparison, true);
    add_button(2, "Sky for comp.", Slot::kComparisonSky, false);
    add_button(3, "Variable", Slot::kVariable, true);
    add_button(4, "Sky for var.", Slot::kVariableSky, false);
    add_button(5, "Check star", Slot::kCheck, true);
    add_button(6, "Sky for check", Slot::kCheckSky, false);
  } else {
    add_button(1, "Comparison", Slot::kComparison, true);
    add_button(2, "Variable", Slot::kVariable, true);
    add_button(3, "Check star", Slot::kCheck, true);
  }
}

void PositionWindow::add_button(int number, const QString& caption, int slot, bool star) {
  auto* button = new QPushButton(caption, this);
  button->setObjectName(QStringLiteral("Command%1").arg(number));
  button->setAutoDefault(false);
  layout()->addWidget(button);
  connect(button, &QPushButton::clicked, this, [this, slot, star] {
    procedures_.marks_off();
    procedures_.set_position(slot, clicked_);
    if (star) procedures_.set_position(slot + 1, {clicked_.x + 20, clicked_.y});
    close();
  });
}

void PositionWindow::show_beside(QPoint global_mouse) {
  adjustSize();
  move(on_screen(global_mouse + QPoint(12, 12), size()));
  show();
}

}  // namespace orvane::ui
