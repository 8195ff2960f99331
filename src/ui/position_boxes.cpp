#include "ui/position_boxes.h"

#include <QLineEdit>

#include "core/number_text.h"
#include "ui/control_panel.h"

namespace orvane::ui {

PositionBoxes::PositionBoxes(ControlPanel& panel, photometry::PositionTable& table,
                             core::UserInterface& ui, QObject* parent)
    : QObject(parent), table_(table), ui_(ui) {
  for (int slot = 1; slot <= 6; ++slot) {
    for (bool is_x : {true, false}) {
      QLineEdit* box = is_x ? panel.position_x_box(slot) : panel.position_y_box(slot);
      // editingFinished comes with Enter and with leaving a box whose text was edited.
      connect(box, &QLineEdit::editingFinished, this,
              [this, box, slot, is_x] { confirm(box, slot, is_x); });
    }
  }
}

void PositionBoxes::confirm(QLineEdit* box, int slot, bool is_x) {
  photometry::Position& stored = table_[slot];
  int& coordinate = is_x ? stored.x : stored.y;
  const std::string text = box->text().toStdString();
  if (std::optional<int> typed = photometry::typed_coordinate(text)) {
    coordinate = *typed;
    return;
  }
  box->setText(QString::fromStdString(core::str(coordinate)));
  ui_.message("\"" + text + "\" is not a position: type a whole number from 0 to " +
              core::str_trimmed(photometry::kLastPlace));
}

}  // namespace orvane::ui
