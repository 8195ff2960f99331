#pragma once

#include <QWidget>

#include "ui/workspace.h"

class QTableWidget;

namespace orvane::ui {

// "Header times": when and where the loaded frame was taken, as the automatic run reads its
// header, with the card each value comes from; the JD, HJD, BJD_TDB and air mass of the middle
// of the exposure. The main window refreshes it after every read.
class HeaderTimesWindow : public QWidget {
  Q_OBJECT

 public:
  explicit HeaderTimesWindow(Workspace& workspace, QWidget* parent = nullptr);

  // Shows the rows of the frame now loaded.
  void refresh();

  QTableWidget* table() { return table_; }

 private:
  Workspace& workspace_;
  QTableWidget* table_ = nullptr;
};

}  // namespace orvane::ui
