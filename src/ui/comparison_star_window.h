#pragma once

#include <QDialog>
#include <array>

#include "photometry/comparison_star.h"

class QLineEdit;
class QRadioButton;

namespace orvane::ui {

// "Comparison Star Magnitude Input" ("Form23"): the star name, the comparison star's catalogue
// magnitude, the band and the observer code for the report line. The window lives for the whole
// run, so its band buttons keep their state between openings.
class ComparisonStarWindow : public QDialog {
  Q_OBJECT

 public:
  ComparisonStarWindow(photometry::ComparisonStarDetails& details, QWidget* parent = nullptr);

  // Fills the boxes from the details and shows the window.
  void open_window();
  // The band buttons as at start: "Don't use this Function".
  void reset();

 signals:
  // OK stored the details.
  void stored();

 private:
  void store();

  photometry::ComparisonStarDetails& details_;
  QLineEdit* name_box_ = nullptr;
  QLineEdit* magnitude_box_ = nullptr;
  QLineEdit* observer_box_ = nullptr;
  std::array<QRadioButton*, 5> bands_{};  // B, V, R, I, none
};

}  // namespace orvane::ui
