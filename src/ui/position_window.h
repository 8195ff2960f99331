#pragma once

#include <QDialog>
#include <QPoint>
#include <QString>

#include "photometry/position_table.h"
#include "ui/shared_procedures.h"

namespace orvane::ui {

// "PositionSet": the buttons that make the clicked frame position a star or a sky position.
// With sky positions ("Form5") each star has a sky button of its own; otherwise ("Form10") only
// the three stars are offered and each sky goes 20 pixels right of its star.
class PositionWindow : public QDialog {
  Q_OBJECT

 public:
  PositionWindow(SharedProcedures& procedures, photometry::Position clicked, bool sky_buttons,
                 const QString& caption, QWidget* parent = nullptr);

  // Shows the window just beside the mouse, kept on the screen.
  void show_beside(QPoint global_mouse);

 private:
  void add_button(int number, const QString& caption, int slot, bool star);

  SharedProcedures& procedures_;
  photometry::Position clicked_;
};

}  // namespace orvane::ui
