#include "ui/intensity_curve_window.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QScrollBar>

#include "core/number_text.h"
#include "display/intensity_curve.h"
#include "ui/window_position.h"

namespace orvane::ui {
namespace {

constexpr std::uint32_t kChartGrey = display::grey(192);
constexpr std::uint32_t kCurveBlack = display::grey(0);
constexpr std::uint32_t kFitYellow = display::rgb(255, 255, 0);
constexpr int kBarMiddle = 255;

QScrollBar* chart_bar(const char* name, QWidget* parent) {
  auto* bar = new QScrollBar(Qt::Vertical, parent);
  bar->setObjectName(name);
  bar->setRange(0, 511);
  bar->setValue(kBarMiddle);
  return bar;
}

}  // namespace

IntensityCurveWindow::IntensityCurveWindow(Workspace& workspace, QWidget* parent)
    : QWidget(parent, Qt::Window), workspace_(workspace) {
  setObjectName("Form13");
  setWindowTitle("Intensity Curve");
  // The chart takes whatever room the window leaves beside the scroll bars: the picture's canvas
  // is made the size of this area whenever it changes.
  chart_area_ = new QWidget(this);
  chart_area_->setMinimumSize(200, 120);
  chart_area_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  chart_area_->installEventFilter(this);
  picture_ = new PictureBox(chart_area_);
  picture_->setObjectName("Picture1");
  offset_bar_ = chart_bar("VScroll1", this);
  scale_bar_ = chart_bar("VScroll2", this);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(chart_area_, 1);
  layout->addWidget(offset_bar_, 0);
  layout->addWidget(scale_bar_, 0);
  resize(620, 320);
  restore_position(*this, workspace_.settings, core::SettingsWindow::kForm13);
  workspace_.display.curve_offset = 0;
  workspace_.display.curve_scale = kBarMiddle;

  connect(offset_bar_, &QScrollBar::valueChanged, this, [this](int value) {
    workspace_.display.curve_offset = value - kBarMiddle;
    plot();
  });
  connect(scale_bar_, &QScrollBar::valueChanged, this, [this](int value) {
    workspace_.display.curve_scale = std::max(value, 1);
    plot();
  });
}

void IntensityCurveWindow::set_chart_scale() {
  const double right = workspace_.frame.width + 0.1;
  picture_->reset_canvas(std::max(chart_area_->width(), 1), std::max(chart_area_->height(), 1),
                         kChartGrey);
  picture_->set_user_scale(0, 0, right, workspace_.display.curve_scale);
}

void IntensityCurveWindow::plot() {
  set_chart_scale();
  const display::DisplayState& state = workspace_.display;
  for (const display::CurveSegment& s :
       display::intensity_curve_segments(workspace_.frame, state.line_row, state.curve_offset)) {
    picture_->line(s.x0, s.y0, s.x1, s.y1, kCurveBlack);
  }
  picture_->refresh();
}

void IntensityCurveWindow::show_row(int row) {
  workspace_.display.line_row = row;
  setWindowTitle(QString::fromStdString("Intensity Curve : y =" + core::str(row)));
  plot();
}

void IntensityCurveWindow::draw_fit(const processing::Polynomial& fit) {
  for (const display::CurveSegment& s :
       display::fit_curve_segments(workspace_.frame, fit, workspace_.display.curve_offset)) {
    picture_->line(s.x0, s.y0, s.x1, s.y1, kFitYellow);
  }
  picture_->refresh();
}

bool IntensityCurveWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == chart_area_ && event->type() == QEvent::Resize) plot();
  return QWidget::eventFilter(watched, event);
}

void IntensityCurveWindow::closeEvent(QCloseEvent* event) {
  store_position(*this, workspace_.settings, core::SettingsWindow::kForm13);
  event->accept();
}

}  // namespace orvane::ui
