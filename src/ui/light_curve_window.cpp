#include "ui/light_curve_window.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStringList>
#include <QVBoxLayout>
#include <cmath>
#include <filesystem>

#include "core/number_text.h"
#include "lightcurve/light_curve_saving.h"
#include "lightcurve/photometry_error.h"
#include "lightcurve/record_marking.h"
#include "lightcurve/report_export.h"
#include "picture/chart_painter.h"
#include "picture/picture_image.h"
#include "ui/aavso_report_window.h"
#include "ui/light_curve_axis_window.h"
#include "ui/named_controls.h"
#include "ui/picture_box.h"
#include "ui/window_position.h"

namespace orvane::ui {
namespace {

using lightcurve::ChartKind;

QString qt(const std::string& text) {
  return QString::fromStdString(text);
}

// Shows a kept text without sending it back through the box's change handler, so text that is
// not valid UTF-8 stays as it was stored unless the user edits it.
void set_quietly(QLineEdit* box, const std::string& text) {
  const QSignalBlocker quiet(box);
  box->setText(QString::fromStdString(text));
}

PictureBox* chart_box(const char* name, QWidget* parent) {
  auto* box = new PictureBox(parent);
  box->setObjectName(name);
  box->reset_canvas(lightcurve::kChartWidth, lightcurve::kChartHeight, lightcurve::kChartWhite);
  return box;
}

// Mouse positions arrive in twips; the charts' points are in pixels.
int to_pixel(double twips) {
  return static_cast<int>(std::floor(twips / kTwipsPerPixel));
}

// Characters of a list line for an observation record with its prefix, date, time, exposure
// and three magnitudes: the width the list opens with.
constexpr int kListColumns = 72;
constexpr int kListLines = 16;

}  // namespace

LightCurveWindow::LightCurveWindow(Workspace& workspace, SharedProcedures& procedures,
                                   core::UserInterface& ui, QWidget* parent)
    : QWidget(parent, Qt::Window),
      workspace_(workspace),
      procedures_(procedures),
      ui_(ui, static_cast<QWidget*>(this)) {
  setObjectName("Form17");
  setWindowTitle("Light Curve");
  build();
  connect_fields();
  fill_fields();
  show_records();
  save_button_->setEnabled(false);
  report_button_->setEnabled(false);
  aavso_button_->setEnabled(false);
  resize(sizeHint());
}

void LightCurveWindow::build() {
  list_ = new QListWidget(this);
  list_->setObjectName("List1");
  list_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  list_->setUniformItemSizes(true);
  const QFontMetrics metrics(list_->font());
  const int bar = list_->verticalScrollBar()->sizeHint().width();
  list_->setMinimumWidth(metrics.horizontalAdvance(QString(kListColumns, QLatin1Char('0'))) + bar +
                         2 * list_->frameWidth());
  list_->setMinimumHeight(kListLines * metrics.lineSpacing());

  check_chart_ = chart_box("Picture1", this);
  var_chart_ = chart_box("Picture2", this);
  error_label_ = named_label("Label7", "Photometry error =", this);
  save_button_ = named_button("Command1", "Save to 'mag_est.txt'", this);
  report_button_ = named_button("Command3", "Save to 'std.file'", this);
  aavso_button_ = named_button("Command4", "AAVSO report", this);

  auto* left = new QVBoxLayout;
  left->addWidget(list_, 1);
  left->addLayout(build_report_fields());
  left->addWidget(error_label_);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(save_button_);
  buttons->addWidget(report_button_);
  buttons->addWidget(aavso_button_);
  buttons->addStretch(1);
  left->addLayout(buttons);

  auto* charts = new QVBoxLayout;
  charts->addWidget(check_chart_);
  charts->addWidget(var_chart_);
  charts->addStretch(1);

  // The list takes whatever the window gains when it is resized; the charts keep their size.
  auto* grid = new QGridLayout(this);
  grid->addLayout(left, 0, 0);
  grid->addLayout(charts, 0, 1);
  grid->setColumnStretch(0, 1);

  connect(list_, &QListWidget::itemDoubleClicked, this, &LightCurveWindow::toggle_list_line);
  connect(
      var_chart_, &PictureBox::mouse_down, this,
      [this](Qt::MouseButton button, bool, double x, double y) { chart_clicked(button, x, y); });
  for (PictureBox* chart : {check_chart_, var_chart_}) {
    connect(chart, &PictureBox::double_clicked, this, &LightCurveWindow::open_axis_window);
  }
  connect(save_button_, &QPushButton::clicked, this, &LightCurveWindow::save_records);
  connect(report_button_, &QPushButton::clicked, this, &LightCurveWindow::export_report);
  connect(aavso_button_, &QPushButton::clicked, this, &LightCurveWindow::open_aavso_report);
}

QLayout* LightCurveWindow::build_report_fields() {
  auto* grid = new QGridLayout;
  grid->addWidget(named_label("Label1", "comp mag. and color", this), 0, 0);
  grid->addWidget(comp_magnitude_box_ = named_box("Text1", this), 0, 1);
  grid->addWidget(band_box_ = named_box("Text4", this), 0, 2);
  const struct {
    const char* label;
    const char* caption;
    const char* box;
    QLineEdit** field;
  } rows[] = {{"Label2", "star", "Text2", &star_box_},
              {"Label3", "obs.code", "Text3", &observer_code_box_},
              {"Label4", "Comment", "Text5", &comment_box_},
              {"Label5", "Observer and Place", "Text6", &observer_place_box_},
              {"Label6", "instruments", "Text7", &instruments_box_}};
  int row = 1;
  for (const auto& r : rows) {
    grid->addWidget(named_label(r.label, r.caption, this), row, 0);
    grid->addWidget(*r.field = named_box(r.box, this), row, 1, 1, 2);
    ++row;
  }
  grid->setColumnStretch(1, 1);
  grid->setColumnStretch(2, 1);
  return grid;
}

// Each box keeps its text where the rest of the program finds it: the observer's fields go to
// orvane.ini at the end of the run, the magnitude and star stay for the next opening.
void LightCurveWindow::connect_fields() {
  auto keep = [this](QLineEdit* box, std::string& field) {
    connect(box, &QLineEdit::textChanged, this,
            [&field](const QString& text) { field = text.toStdString(); });
  };
  keep(comp_magnitude_box_, workspace_.light_curve.comp_magnitude);
  keep(star_box_, workspace_.light_curve.star);
  keep(observer_code_box_, workspace_.observer.code);
  keep(band_box_, workspace_.observer.band);
  keep(observer_place_box_, workspace_.observer.observer_place);
  keep(instruments_box_, workspace_.observer.instruments);
  keep(comment_box_, data_.comment);
}

void LightCurveWindow::fill_fields() {
  set_quietly(comp_magnitude_box_, workspace_.light_curve.comp_magnitude);
  set_quietly(star_box_, workspace_.light_curve.star);
  set_quietly(observer_code_box_, workspace_.observer.code);
  set_quietly(band_box_, workspace_.observer.band);
  set_quietly(observer_place_box_, workspace_.observer.observer_place);
  set_quietly(instruments_box_, workspace_.observer.instruments);
}

void LightCurveWindow::load(const std::string& absolute_path) {
  if (axis_window_) axis_window_->close();  // its ranges belong to the old records
  if (!isVisible()) restore_position(*this, workspace_.settings, core::SettingsWindow::kForm17);
  workspace_.light_curve.data_path = absolute_path;
  setWindowTitle(qt("Light Curve (" + absolute_path + ")"));
  fill_fields();

  core::Result<lightcurve::LightCurveData> read = lightcurve::load_light_curve(absolute_path);
  loaded_ = read.ok();
  data_ = loaded_ ? std::move(*read) : lightcurve::LightCurveData{};
  if (!loaded_) data_.path = absolute_path;
  axes_ = lightcurve::auto_axes(data_);
  auto_axes_ = axes_;
  set_quietly(comment_box_, data_.comment);
  // A file that could not be read must not be replaced by an empty one.
  save_button_->setEnabled(loaded_);
  report_button_->setEnabled(loaded_);
  aavso_button_->setEnabled(loaded_);
  list_->clear();
  show_records();

  show();
  raise();
  activateWindow();
  if (!loaded_) {
    ui_.message(read.error());
  } else if (!data_.left_out_message.empty()) {
    ui_.message(data_.left_out_message);
  }
}

void LightCurveWindow::show_records() {
  show_list();
  draw_charts();
}

// Only the lines whose mark changed are rewritten, so the list keeps its place and selection.
void LightCurveWindow::show_list() {
  const std::vector<std::string> lines = lightcurve::list_lines(data_);
  if (static_cast<std::size_t>(list_->count()) != lines.size()) {
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(lines.size()));
    for (const std::string& line : lines) texts << qt(line);
    list_->clear();
    list_->addItems(texts);
    return;
  }
  for (std::size_t i = 0; i < lines.size(); ++i) {
    QListWidgetItem* item = list_->item(static_cast<int>(i));
    const QString text = qt(lines[i]);
    if (item->text() != text) item->setText(text);
  }
}

void LightCurveWindow::draw_charts() {
  draw_chart(*check_chart_, ChartKind::kCheck);
  var_points_ = draw_chart(*var_chart_, ChartKind::kVariable);
  error_label_->setText(qt(lightcurve::photometry_error_text(lightcurve::photometry_error(data_))));
}

std::vector<lightcurve::ChartPoint> LightCurveWindow::draw_chart(PictureBox& box, ChartKind kind) {
  lightcurve::ChartDrawing drawing =
      lightcurve::chart_drawing(data_, axes_, kind, box.canvas_width(), box.canvas_height());
  // Painted straight into the box's canvas memory, which it shows at the next repaint.
  QImage canvas = picture::wrap(box.picture());
  picture::paint_chart(canvas, drawing);
  box.refresh();
  return std::move(drawing.points);
}

void LightCurveWindow::toggle_list_line(QListWidgetItem* item) {
  const int row = list_->row(item);
  if (row < 0 || static_cast<std::size_t>(row) >= data_.records.size()) return;
  // The record's own list text, so a line that is not valid UTF-8 still finds its record.
  const std::string text = lightcurve::list_line(data_.records[static_cast<std::size_t>(row)]);
  if (!lightcurve::toggle_by_list_text(data_, text)) return;
  show_records();
}

void LightCurveWindow::chart_clicked(Qt::MouseButton button, double x, double y) {
  const int px = to_pixel(x), py = to_pixel(y);
  if (button == Qt::LeftButton) {
    auto told = lightcurve::delete_by_click(data_, var_points_, px, py);
    if (!told) return;
    show_records();
    ui_.message(*told);
    return;
  }
  if (auto hit = lightcurve::hit_record(var_points_, px, py)) open_record_image(*hit);
}

// The image named at the end of the record; a relative name is taken from the data file's
// folder, where automatic photometry writes the file beside its frames.
void LightCurveWindow::open_record_image(std::size_t index) {
  std::filesystem::path image(lightcurve::image_path(data_.records[index]));
  if (image.is_relative()) image = std::filesystem::path(data_.path).parent_path() / image;
  if (!procedures_.read_frame(image.lexically_normal().string())) {
    procedures_.hide_automatic_button();
  }
}

void LightCurveWindow::open_axis_window() {
  if (axis_window_) {
    axis_window_->raise();
    return;
  }
  axis_window_ = new LightCurveAxisWindow(axes_, ui_, this);
  axis_window_->setAttribute(Qt::WA_DeleteOnClose);
  connect(axis_window_, &LightCurveAxisWindow::ranges_typed, this,
          [this](const lightcurve::AxisSettings& settings) {
            axes_ = settings;
            draw_charts();
          });
  connect(axis_window_, &LightCurveAxisWindow::auto_scale_chosen, this, [this] {
    axes_ = auto_axes_;
    draw_charts();
  });
  axis_window_->open();
}

void LightCurveWindow::save_records() {
  if (!ui_.ask_ok_cancel(lightcurve::save_question(data_))) return;
  if (auto saved = lightcurve::save_light_curve(data_); !saved) ui_.message(saved.error());
}

// The boxes' texts as their handlers keep them.
void LightCurveWindow::export_report() {
  const photometry::ObserverDetails& observer = workspace_.observer;
  const lightcurve::ReportFields fields{
      .star = workspace_.light_curve.star,
      .comp_magnitude = core::val(workspace_.light_curve.comp_magnitude),
      .band = observer.band,
      .observer_code = observer.code,
      .observer_place = observer.observer_place,
      .instruments = observer.instruments};
  auto written = lightcurve::write_report(data_, fields, workspace_.current_folder);
  ui_.message(written ? lightcurve::kReportCompletion : written.error());
}

void LightCurveWindow::open_aavso_report() {
  AavsoReportWindow dialog(workspace_, ui_, data_, this);
  dialog.exec();
}

void LightCurveWindow::closeEvent(QCloseEvent* event) {
  if (axis_window_) axis_window_->close();
  store_position(*this, workspace_.settings, core::SettingsWindow::kForm17);
  event->accept();
}

}  // namespace orvane::ui
