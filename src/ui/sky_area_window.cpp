#include "ui/sky_area_window.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/number_text.h"
#include "ui/named_controls.h"

namespace orvane::ui {
namespace {

QString qt(const std::string& text) {
  return QString::fromStdString(text);
}

double value_of(const QLineEdit* box) {
  return core::val(box->text().toStdString());
}

}  // namespace

SkyAreaWindow::SkyAreaWindow(photometry::PhotometrySettings& settings, SharedProcedures& procedures,
                             core::UserInterface& ui, QWidget* parent)
    : QDialog(parent), settings_(settings), ui_(ui, static_cast<QWidget*>(this)) {
  setObjectName("Form11");
  setModal(true);
  const std::string size = core::str(settings_.aperture_size);
  setWindowTitle(qt(settings_.aperture_shape == 0
                        ? "Size Set (Aperture" + size + " radii)"
                        : "Size Set (Aperture" + size + "x" + size + ")"));
  build();
  procedures.marks_off();
  area_ = {settings_.aperture_size, settings_.sky_inner, settings_.sky_outer};
  aperture_box_->setText(qt(core::str(area_.aperture)));
  inside_box_->setText(qt(core::str(area_.inside)));
  outside_box_->setText(qt(core::str(area_.outside)));
  show_outside_maximum();
}

void SkyAreaWindow::build() {
  auto* grid = new QGridLayout(this);
  grid->addWidget(named_label("Label5", "Aperture", this), 0, 0);
  grid->addWidget(aperture_box_ = named_box("Text3", this, 72), 0, 1);
  grid->addWidget(named_label("Label4", "Sky Area", this), 1, 0, 1, 2);
  grid->addWidget(named_label("Label1", "inside", this), 2, 0);
  grid->addWidget(inside_box_ = named_box("Text1", this, 72), 2, 1);
  grid->addWidget(named_label("Label2", "outside", this), 3, 0);
  grid->addWidget(outside_box_ = named_box("Text2", this, 72), 3, 1);
  grid->addWidget(maximum_label_ = named_label("Label3", "", this), 4, 0, 1, 2);
  QPushButton* ok = named_button("Command1", "OK", this);
  QPushButton* cancel = named_button("Command2", "Cancel", this);
  QPushButton* standard_button = named_button("Command3", "Standard", this);
  grid->addWidget(ok, 0, 2);
  grid->addWidget(cancel, 1, 2);
  grid->addWidget(standard_button, 3, 2);
  // The ring is only used with median sky.
  inside_box_->setEnabled(settings_.sky_mode == 1);
  outside_box_->setEnabled(settings_.sky_mode == 1);

  connect(inside_box_, &QLineEdit::textChanged, this, [this](const QString& text) {
    const double inside = core::val(text.toStdString());
    if (inside <= 0) return;
    area_.inside = inside;
    show_outside_maximum();
  });
  connect(aperture_box_, &QLineEdit::textChanged, this, [this](const QString& text) {
    if (!text.isEmpty()) area_.aperture = core::val(text.toStdString());
  });
  connect(ok, &QPushButton::clicked, this, &SkyAreaWindow::accept_area);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(standard_button, &QPushButton::clicked, this, &SkyAreaWindow::standard);
}

void SkyAreaWindow::start() {
  if (auto warning = photometry::sky_area_warning(area_)) ui_.message(*warning);
  open();
}

void SkyAreaWindow::show_outside_maximum() {
  maximum_label_->setText(
      qt("outside max=" + core::str(photometry::outside_maximum(area_.inside))));
}

void SkyAreaWindow::standard() {
  area_ = photometry::standard_sky_area(settings_.aperture_shape, area_.aperture);
  inside_box_->setText(qt(core::str(area_.inside)));
  outside_box_->setText(qt(core::str(area_.outside)));
}

void SkyAreaWindow::accept_area() {
  area_.inside = value_of(inside_box_);
  area_.outside = value_of(outside_box_);
  show_outside_maximum();
  if (auto refusal = photometry::sky_area_refusal(settings_.aperture_shape, area_)) {
    ui_.message(*refusal);
    return;
  }
  settings_.aperture_size = area_.aperture;
  settings_.sky_inner = area_.inside;
  settings_.sky_outer = area_.outside;
  accept();
}

}  // namespace orvane::ui
