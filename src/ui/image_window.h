#pragma once

#include <QPoint>
#include <QWidget>

#include "core/user_interface.h"
#include "ui/picture_box.h"
#include "ui/workspace.h"

class QScrollArea;

namespace orvane::ui {

// The picture of the frame ("Form4"). Built (and rendered) when it opens; every new picture
// closes it and opens a new one. Mouse moves report the frame position under the cursor;
// clicks are routed by button and Shift.
class ImageWindow : public QWidget {
  Q_OBJECT

 public:
  // Loads the window: its stored place, the file path as caption, the picture rendered at
  // the current scale inside scroll bars when it is larger than the screen allows.
  ImageWindow(Workspace& workspace, core::UserInterface& ui, QWidget* parent = nullptr);

  PictureBox* picture() { return picture_; }

  // Frame coordinates of a mouse position in twips: floor(X * s / 15 + 0.5).
  static int frame_coordinate(double twips, int scale);

  // Redraws the whole picture from the frame (used by the marker drawers to start clean).
  void render_picture();

  // The profile line moved to the row without telling anyone (a redraw keeps the row).
  void show_profile_row(int row);

  // A window without a stored place goes beside the main window, no larger than the room
  // there; a larger picture scrolls.
  void place_beside(const QWidget& main_window);

 signals:
  // The mouse is over frame pixel (x, y) (not limited to the frame).
  void cursor_moved(int x, int y);
  // Left click without Shift while no profile line is shown.
  void magnifier_toggle_requested();
  // Left click with Shift: the bow graph's point.
  void bow_point_requested(int x, int y);
  // Right click without Shift: the star position window at the clicked place.
  void position_window_requested(int x, int y, QPoint global_position);
  // Left click while the profile line is shown: the line moved to this row.
  void profile_row_moved(int row);
  // The window is closing (its position is already stored).
  void unloading();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void on_mouse_move(double x_twips, double y_twips);
  void on_mouse_down(Qt::MouseButton button, bool shift, double x_twips, double y_twips);
  void move_profile_line(int row);
  void copy_to_clipboard();
  void fit_within(QSize room);

  Workspace& workspace_;
  core::UserInterface& ui_;
  QScrollArea* scroll_ = nullptr;
  PictureBox* picture_ = nullptr;
};

}  // namespace orvane::ui
