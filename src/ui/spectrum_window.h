#pragma once

#include <QWidget>
#include <array>
#include <cstdint>

#include "core/image_frame.h"
#include "core/user_interface.h"
#include "ui/workspace.h"

class QLineEdit;
class QPushButton;
class QRadioButton;

namespace orvane::ui {

// "Intensity curve" ("Form12"), the spectrum window: writes the profile line's row as three
// profile files (column numbers or wavelengths on the horizontal axis) and levels that row by
// its straight line, with an UnDo of its own. Moving the line and "Cancel" are the menu's.
class SpectrumWindow : public QWidget {
  Q_OBJECT

 public:
  SpectrumWindow(Workspace& workspace, core::UserInterface& ui, QWidget* parent = nullptr);

 signals:
  void move_requested(int rows);  // -1 "Up", +1 "Down", 0 the same row drawn again
  void cancel_requested();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void save_to_disk();
  void compensate();
  void undo_compensation();
  void show_axis_boxes();

  Workspace& workspace_;
  core::WindowUserInterface ui_;  // messages owned by this window
  QLineEdit* name_box_ = nullptr;
  QLineEdit* start_box_ = nullptr;
  QLineEdit* end_box_ = nullptr;
  QRadioButton* wavelength_option_ = nullptr;
  QPushButton* undo_button_ = nullptr;
  // The row as it was before the last compensation, and which row it was.
  std::array<std::int32_t, core::ImageFrame::kMaxSide> kept_row_{};
  int kept_row_index_ = -1;
};

}  // namespace orvane::ui
