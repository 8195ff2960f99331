#pragma once

#include <QObject>

#include "core/user_interface.h"
#include "photometry/position_table.h"

class QLineEdit;

namespace orvane::ui {

class ControlPanel;

// The twelve star and sky position boxes of the main window as a way to set positions: a whole
// number typed into a box and confirmed (Enter, or leaving the box) goes into the position table
// like a right click on the picture, so the peak search and the automatic run use it; other text
// is refused with a message and the box shows the stored value again. Text the program writes
// into the boxes is not "typed".
class PositionBoxes : public QObject {
  Q_OBJECT

 public:
  PositionBoxes(ControlPanel& panel, photometry::PositionTable& table, core::UserInterface& ui,
                QObject* parent = nullptr);

 private:
  void confirm(QLineEdit* box, int slot, bool is_x);

  photometry::PositionTable& table_;
  core::UserInterface& ui_;
};

}  // namespace orvane::ui
