#include "ui/comparison_star_window.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "core/number_text.h"
#include "ui/named_controls.h"

namespace orvane::ui {
ComparisonStarWindow::ComparisonStarWindow(photometry::ComparisonStarDetails& details,
                                           QWidget* parent)
    : QDialog(parent), details_(details) {
  setObjectName("Form23");
  setWindowTitle("Comparison Star Magnitude Input");
  auto* grid = new QGridLayout(this);
  grid->addWidget(named_label("Label3", "This is a CLIP BOARD Functin.", this), 0, 0, 1, 2);
  grid->addWidget(named_label("Label1", "Star Name", this), 1, 0);
  grid->addWidget(name_box_ = named_box("Text1", this), 1, 1);
  grid->addWidget(named_label("Label2", "Comaprison Magnitude", this), 2, 0);
  grid->addWidget(magnitude_box_ = named_box("Text2", this), 2, 1);
  auto* band_row = new QHBoxLayout;
  const char* const kCaptions[] = {"B", "V", "R", "I", "Don't use this Function"};
  for (int i = 0; i < 5; ++i) {
    bands_[i] = new QRadioButton(kCaptions[i], this);
    bands_[i]->setObjectName(QStringLiteral("Option%1").arg(i + 1));
    band_row->addWidget(bands_[i]);
  }
  grid->addLayout(band_row, 3, 0, 1, 2);
  grid->addWidget(observer_box_ = named_box("Text3", this), 4, 0);
  observer_box_->setText("Obs. code");
  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("Command1");
  grid->addWidget(ok, 4, 1, Qt::AlignRight);
  connect(ok, &QPushButton::clicked, this, &ComparisonStarWindow::store);
  reset();
}

void ComparisonStarWindow::reset() {
  bands_[4]->setChecked(true);
}

void ComparisonStarWindow::open_window() {
  name_box_->setText(QString::fromStdString(details_.star_name));
  magnitude_box_->setText(QString::fromStdString(core::str(details_.comp_magnitude)));
  observer_box_->setText(QString::fromStdString(details_.observer_code));
  show();
  raise();
  activateWindow();
}

void ComparisonStarWindow::store() {
  details_.star_name = name_box_->text().toStdString();
  details_.comp_magnitude = core::val(magnitude_box_->text().toStdString());
  static constexpr int kBandIndex[] = {0, 1, 2, 3, -1};
  for (int i = 0; i < 5; ++i) {
    if (bands_[i]->isChecked()) details_.band_index = kBandIndex[i];
  }
  details_.observer_code = observer_box_->text().toStdString();
  close();
  emit stored();
}

}  // namespace orvane::ui
