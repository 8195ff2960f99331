#include "ui/bow_menu.h"

#include <QAction>
#include <QMenu>
#include <filesystem>

#include "processing/bow_correction.h"
#include "ui/frame_step.h"
#include "ui/image_window.h"
#include "ui/window_position.h"

namespace orvane::ui {

BowMenu::BowMenu(Workspace& workspace, SharedProcedures& procedures, core::UserInterface& ui,
                 QWidget* main_window)
    : QObject(main_window),
      workspace_(workspace),
      procedures_(procedures),
      ui_(ui),
      main_window_(main_window) {
  procedures_.watch_picture([this](ImageWindow& window) {
    connect(&window, &ImageWindow::bow_point_requested, this, &BowMenu::show_graph);
  });
}

void BowMenu::add_items(QMenu& utility) {
  QAction* bow = utility.addAction("Bow correction");
  bow->setObjectName("utility_menu_bow");
  connect(bow, &QAction::triggered, this, &BowMenu::run_bow_correction);
}

// A new point closes the graph of the last one and opens a new graph (zoom 1, level 0).
void BowMenu::show_graph(int column, int row) {
  if (graph_) graph_->close();
  graph_ = new HorizontalGraphWindow(workspace_, column, row, main_window_);
  graph_->setAttribute(Qt::WA_DeleteOnClose);
  // Below the picture, clear of the tools that stand right of it.
  if (const ImageWindow* picture = procedures_.image_window()) {
    graph_->adjustSize();
    move_frame(*graph_, on_screen(picture->frameGeometry().bottomLeft() + QPoint(0, 8),
                                  graph_->frameGeometry().size()));
  }
  graph_->show();
}

// Asked first; then the table is read before anything is touched, so a missing or wrong table
// leaves the frame and the undo copy as they were. The picture is not rebuilt: the next one
// shows the corrected frame.
void BowMenu::run_bow_correction() {
  if (!ui_.ask_ok_cancel(processing::kBowQuestion, processing::kBowTitle)) return;
  const std::string table =
      (std::filesystem::path(workspace_.current_folder) / processing::kBowTableName).string();
  const auto shifts = processing::read_bow_table(table);
  if (!shifts) {
    ui_.message(shifts.error(), processing::kBowTitle);
    return;
  }
  const FrameStepPlan plan{.beep = true, .change = {.rebuild_picture = false}};
  FrameStep(workspace_, procedures_, ui_).run(plan, [&shifts](core::ImageFrame& frame) {
    processing::bow_correct(frame, *shifts);
    return core::Result<std::string>(std::string());
  });
}

}  // namespace orvane::ui
