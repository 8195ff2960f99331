#include "ui/histogram_window.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <cmath>

#include "core/number_text.h"
#include "ui/named_controls.h"
#include "ui/window_position.h"

namespace orvane::ui {

namespace {

constexpr int kChartWidth = 600;  // two pixels per bin
constexpr int kChartHeight = 300;
const std::uint32_t kBarColour = display::rgb(0, 255, 0);
const std::uint32_t kWhite = display::grey(255);
const std::uint32_t kBlack = display::grey(0);

QString plain(std::int32_t value) {
  return QString::fromStdString(core::str_trimmed(value));
}

}  // namespace

HistogramWindow::HistogramWindow(Workspace& workspace, SharedProcedures& procedures,
                                 core::UserInterface& ui, QWidget* parent)
    : QDialog(parent),
      workspace_(workspace),
      procedures_(procedures),
      ui_(ui, static_cast<QWidget*>(this)) {
  setObjectName("Form14");
  set_whole_caption(*this, "Histgram");
  auto* grid = new QGridLayout(this);
  chart_ = new PictureBox(this);
  chart_->setObjectName("Picture1");
  chart_->reset_canvas(kChartWidth, kChartHeight, kWhite);
  grid->addWidget(chart_, 0, 0, 1, 6);
  grid->addWidget(named_label("Label2", "Range", this), 1, 0);
  range_box_ = named_box("Text2", this, 90);
  grid->addWidget(range_box_, 1, 1);
  grid->addWidget(named_label("Label1", "Background", this), 1, 2);
  background_box_ = named_box("Text1", this, 90);
  grid->addWidget(background_box_, 1, 3);
  QPushButton* ok = named_button("Command1", "OK", this);
  QPushButton* cancel = named_button("Command2", "Cancel", this);
  QPushButton* zoom_button = named_button("Command3", "Zoom", this);
  QPushButton* reset = named_button("Command4", "Reset", this);
  grid->addWidget(zoom_button, 2, 0);
  grid->addWidget(reset, 2, 1);
  grid->addWidget(ok, 2, 4);
  grid->addWidget(cancel, 2, 5);

  connect(ok, &QPushButton::clicked, this, &HistogramWindow::accept_values);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(zoom_button, &QPushButton::clicked, this, &HistogramWindow::zoom);
  connect(reset, &QPushButton::clicked, this, &HistogramWindow::load);
  // What is typed is what a click keeps and what "OK" hands over.
  for (QLineEdit* box : {background_box_, range_box_}) {
    connect(box, &QLineEdit::textEdited, this, &HistogramWindow::take_typed_values);
  }
  connect(chart_, &PictureBox::mouse_down, this,
          [this](Qt::MouseButton button, bool, double x, double) { click(button, x); });
  load();
}

void HistogramWindow::reopen(QPointer<HistogramWindow>& window, Workspace& workspace,
                             SharedProcedures& procedures, core::UserInterface& ui,
                             QWidget* main_window) {
  if (window) window->close();
  if (workspace.frame.width == 0 || workspace.frame.height == 0) {
    ui.message("You do not open the data file");
    return;
  }
  window = new HistogramWindow(workspace, procedures, ui, main_window);
  window->setAttribute(Qt::WA_DeleteOnClose);
  std::vector<const QWidget*> open_windows;
  for (const QWidget* other : QApplication::topLevelWidgets()) {
    if (other != window && other->isVisible()) open_windows.push_back(other);
  }
  place_clear_of(*window, open_windows);
  window->show();
}

void HistogramWindow::load() {
  core::BusyGuard busy(ui_);
  edit_ = {.background = workspace_.display.background, .range = workspace_.display.range};
  show_values();
  draw_bars(display::whole_span_chart(workspace_.frame));
}

void HistogramWindow::zoom() {
  take_typed_values();
  edit_.zoomed = true;
  draw_bars(display::window_chart(workspace_.frame, edit_.background, edit_.range));
}

void HistogramWindow::click(Qt::MouseButton button, double x) {
  x = std::clamp(x, 0.0, double(display::kChartBins));
  const std::int32_t value = display::chart_value(workspace_.frame, edit_, x);
  if (button == Qt::LeftButton) {
    move_marker(edit_.background_line, x);
    display::click_background(edit_, value, x);
  } else {
    move_marker(edit_.range_line, x);
    display::click_top(edit_, value, x);
  }
  show_values();
}

void HistogramWindow::accept_values() {
  workspace_.display.background = edit_.background;
  workspace_.display.range = edit_.range;
  procedures_.contrast_chosen();
  accept();
}

void HistogramWindow::show_values() {
  background_box_->setText(plain(edit_.background));
  range_box_->setText(plain(edit_.range));
}

void HistogramWindow::take_typed_values() {
  edit_.background = core::round_to_i32(core::val(background_box_->text().toStdString()));
  edit_.range = core::round_to_i32(core::val(range_box_->text().toStdString()));
}

void HistogramWindow::draw_bars(const display::Histogram& counts) {
  counts_ = counts;
  height_ = display::chart_height(counts);
  chart_->clear_user_scale();
  chart_->clear(kWhite);
  chart_->set_user_scale(0, 0, display::kChartBins, double(height_));
  const double bottom = double(height_);
  for (int k = 0; k < display::kChartBins; ++k) {
    if (counts[k] > 0) chart_->fill_box(k, bottom - double(counts[k]), k + 1, bottom, kBarColour);
  }
  chart_->refresh();
}

void HistogramWindow::move_marker(double old_x, double x) {
  const double bottom = double(height_);
  chart_->line(old_x, 0, old_x, bottom, kWhite);
  const int bin = std::min(int(std::floor(old_x)), display::kChartBins - 1);
  if (counts_[bin] > 0) {
    chart_->fill_box(bin, bottom - double(counts_[bin]), bin + 1, bottom, kBarColour);
  }
  chart_->line(x, 0, x, bottom, kBlack);
  chart_->refresh();
}

}  // namespace orvane::ui
