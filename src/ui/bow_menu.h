#pragma once

#include <QObject>
#include <QPointer>

#include "core/user_interface.h"
#include "ui/horizontal_graph_window.h"
#include "ui/shared_procedures.h"
#include "ui/workspace.h"

class QAction;
class QMenu;
class QWidget;

namespace orvane::ui {

// The bow of a slit spectrum: the Utility menu's "Bow correction", which shifts every row by
// its amount from "bow.csv", and the horizontal graph ("Form24") that a Shift + left click on
// the picture opens to measure the bow.
class BowMenu : public QObject {
  Q_OBJECT

 public:
  BowMenu(Workspace& workspace, SharedProcedures& procedures, core::UserInterface& ui,
          QWidget* main_window);

  void add_items(QMenu& utility);

  HorizontalGraphWindow* graph_window() const { return graph_; }

 private:
  void show_graph(int column, int row);
  void run_bow_correction();

  Workspace& workspace_;
  SharedProcedures& procedures_;
  core::UserInterface& ui_;
  QWidget* main_window_;
  QPointer<HorizontalGraphWindow> graph_;
};

}  // namespace orvane::ui
