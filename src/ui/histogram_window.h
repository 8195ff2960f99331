#pragma once

#include <QDialog>
#include <QPointer>

#include "core/user_interface.h"
#include "display/histogram_chart.h"
#include "ui/picture_box.h"
#include "ui/shared_procedures.h"
#include "ui/workspace.h"

class QLineEdit;

namespace orvane::ui {

// "Histgram" ("Form14"): the frame's values as green bars over their whole span or over the
// window the picture shows ("Zoom"). A left click on the chart sets the background and keeps
// the top, any other click sets the top; "OK" hands both to the main window.
class HistogramWindow : public QDialog {
  Q_OBJECT

 public:
  HistogramWindow(Workspace& workspace, SharedProcedures& procedures, core::UserInterface& ui,
                  QWidget* parent = nullptr);

  PictureBox* chart() const { return chart_; }
  const display::ContrastEdit& edit() const { return edit_; }

  // Closes the window if it is open and opens it again, fresh, on the frame as it is.
  static void reopen(QPointer<HistogramWindow>& window, Workspace& workspace,
                     SharedProcedures& procedures, core::UserInterface& ui, QWidget* main_window);

  // Start over from the main window's background and range, with the whole-span chart.
  void load();
  // The chart of the values from the background (Text1) to background + range (Text2).
  void zoom();
  // A click at chart position x (0..300).
  void click(Qt::MouseButton button, double x);

 private:
  void accept_values();
  void show_values();
  void take_typed_values();
  void draw_bars(const display::Histogram& counts);
  // A black marker line at x over the whole height, and the old one at `old_x` taken away.
  void move_marker(double old_x, double x);

  Workspace& workspace_;
  SharedProcedures& procedures_;
  core::WindowUserInterface ui_;  // the busy pointer while the chart is counted
  PictureBox* chart_ = nullptr;
  QLineEdit* background_box_ = nullptr;
  QLineEdit* range_box_ = nullptr;
  display::ContrastEdit edit_;
  display::Histogram counts_{};
  std::int64_t height_ = 1;  // the chart's vertical scale in counts
};

}  // namespace orvane::ui
