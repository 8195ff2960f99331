#include "ui/binning_window.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "core/number_text.h"
#include "display/render.h"
#include "ui/image_window.h"
#include "ui/named_controls.h"
#include "ui/window_position.h"

namespace orvane::ui {
namespace {

constexpr std::uint32_t kZoneGrey = display::grey(200);

std::string box_text(const QLineEdit* box) {
  return box->text().toStdString();
}

}  // namespace

BinningWindow::BinningWindow(Workspace& workspace, SharedProcedures& procedures, QWidget* parent)
    : QWidget(parent, Qt::Window), workspace_(workspace), procedures_(procedures) {
  setObjectName("Form15");
  setWindowTitle("Binning Execution");
  auto* grid = new QGridLayout(this);
  for (int k = 0; k < 5; ++k) {
    zone_options_[k] = new QRadioButton(QString("Zone%1").arg(k + 1), this);
    zone_options_[k]->setObjectName(QString("Option%1").arg(k + 1));
    grid->addWidget(zone_options_[k], k, 0);
    for (int b = 0; b < 2; ++b) {
      const QByteArray name = "Text" + QByteArray::number(2 * k + b + 1);
      bounds_[2 * k + b] = named_box(name.constData(), this, 70);
      grid->addWidget(bounds_[2 * k + b], k, 1 + b);
    }
  }
  zone_options_[0]->setChecked(true);
  QPushButton* upper = named_button("Command1", "Set Upper", this);
  QPushButton* lower = named_button("Command2", "Set Lower", this);
  QPushButton* up = named_button("Command3", "Up", this);
  QPushButton* down = named_button("Command4", "Down", this);
  QPushButton* execute = named_button("Command5", "Binning Execution", this);
  QPushButton* cancel = named_button("Command6", "Cancel", this);
  QPushButton* lines = named_button("Command7", "Display Line", this);
  grid->addWidget(upper, 0, 3);
  grid->addWidget(lower, 1, 3);
  grid->addWidget(up, 2, 3);
  grid->addWidget(down, 3, 3);
  grid->addWidget(lines, 4, 3);
  grid->addWidget(execute, 5, 0, 1, 3);
  grid->addWidget(cancel, 5, 3);
  restore_position(*this, workspace_.settings, core::SettingsWindow::kForm15);

  connect(upper, &QPushButton::clicked, this, [this] { set_bound(0); });
  connect(lower, &QPushButton::clicked, this, [this] { set_bound(1); });
  connect(up, &QPushButton::clicked, this, [this] { emit move_requested(-1); });
  connect(down, &QPushButton::clicked, this, [this] { emit move_requested(1); });
  connect(execute, &QPushButton::clicked, this, &BinningWindow::binning_requested);
  connect(cancel, &QPushButton::clicked, this, &BinningWindow::cancel_requested);
  connect(lines, &QPushButton::clicked, this, &BinningWindow::toggle_zone_lines);
}

processing::BinningZones BinningWindow::zones() const {
  processing::BinningZones zones{};
  for (std::size_t k = 0; k < zones.size(); ++k) {
    zones[k] = {core::val(box_text(bounds_[2 * k])), core::val(box_text(bounds_[2 * k + 1]))};
  }
  return zones;
}

int BinningWindow::chosen_zone() const {
  for (int k = 0; k < 5; ++k) {
    if (zone_options_[k]->isChecked()) return k;
  }
  return 0;
}

void BinningWindow::set_bound(int which) {
  bounds_[2 * chosen_zone() + which]->setText(QString::number(workspace_.display.line_row));
}

// On: the upper and lower rows of every zone in use in light grey over the picture. Off: the
// picture built again, with the profile line.
void BinningWindow::toggle_zone_lines() {
  if (lines_shown_) {
    lines_shown_ = false;
    procedures_.open_picture();
    return;
  }
  lines_shown_ = true;
  ImageWindow* window = procedures_.image_window();
  if (window == nullptr) return;
  const int s = workspace_.display.display_scale;
  for (const processing::BinningZone& zone : zones()) {
    if (!zone.active()) continue;
    for (const double row : {zone.upper, zone.lower}) {
      display::draw_row_line(window->picture()->picture(), workspace_.frame.width, row, s,
                             kZoneGrey);
    }
  }
  window->picture()->refresh();
}

void BinningWindow::closeEvent(QCloseEvent* event) {
  store_position(*this, workspace_.settings, core::SettingsWindow::kForm15);
  event->accept();
}

}  // namespace orvane::ui
