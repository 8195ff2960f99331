#pragma once

#include <QPointer>
#include <QWidget>
#include <string>
#include <vector>

#include "core/user_interface.h"
#include "lightcurve/axis_settings.h"
#include "lightcurve/chart_layout.h"
#include "lightcurve/light_curve_data.h"
#include "ui/shared_procedures.h"
#include "ui/workspace.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace orvane::ui {

class LightCurveAxisWindow;
class PictureBox;

// "Light Curve" ("Form17"): the records of a data file listed, C-K and V-C plotted against the
// hour of the night, bad points struck out, the file saved back and the observation report
// written. The window is not modal; one instance lives for the run and is reloaded on each
// opening.
class LightCurveWindow : public QWidget {
  Q_OBJECT

 public:
  LightCurveWindow(Workspace& workspace, SharedProcedures& procedures, core::UserInterface& ui,
                   QWidget* parent = nullptr);

  // Reads the data file (an absolute path) and shows the window at its stored place; a window
  // already open is reloaded where it is. A file that cannot be read is told and leaves the
  // window empty, with nothing to save.
  void load(const std::string& absolute_path);

  const lightcurve::LightCurveData& data() const { return data_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void build();
  QLayout* build_report_fields();
  void connect_fields();
  void fill_fields();

  // The list, both charts and the error, after a load or a change of marks or ranges.
  void show_records();
  void show_list();
  void draw_charts();
  std::vector<lightcurve::ChartPoint> draw_chart(PictureBox& box, lightcurve::ChartKind kind);

  void toggle_list_line(QListWidgetItem* item);
  void chart_clicked(Qt::MouseButton button, double x, double y);
  void open_record_image(std::size_t index);
  void open_axis_window();
  void save_records();
  void export_report();
  void open_aavso_report();

  Workspace& workspace_;
  SharedProcedures& procedures_;
  core::WindowUserInterface ui_;  // messages owned by this window

  lightcurve::LightCurveData data_;
  bool loaded_ = false;  // the file was read, so saving it back cannot lose anything
  lightcurve::AxisSettings axes_;
  lightcurve::AxisSettings auto_axes_;  // what "Auto scale" returns to
  std::vector<lightcurve::ChartPoint> var_points_;

  QListWidget* list_ = nullptr;
  PictureBox* check_chart_ = nullptr;
  PictureBox* var_chart_ = nullptr;
  QLabel* error_label_ = nullptr;
  QLineEdit* comp_magnitude_box_ = nullptr;  // Text1
  QLineEdit* star_box_ = nullptr;            // Text2
  QLineEdit* observer_code_box_ = nullptr;   // Text3
  QLineEdit* band_box_ = nullptr;            // Text4
  QLineEdit* comment_box_ = nullptr;         // Text5
  QLineEdit* observer_place_box_ = nullptr;  // Text6
  QLineEdit* instruments_box_ = nullptr;     // Text7
  QPushButton* save_button_ = nullptr;
  QPushButton* report_button_ = nullptr;
  QPushButton* aavso_button_ = nullptr;  // Command4
  QPointer<LightCurveAxisWindow> axis_window_;
};

}  // namespace orvane::ui
