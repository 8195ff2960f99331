#pragma once

#include <QDialog>
#include <array>

#include "core/user_interface.h"
#include "lightcurve/axis_settings.h"

class QLineEdit;

namespace orvane::ui {

// "Light Curve X-Y Axis" ("Form18"): the ranges of both light-curve charts typed by hand.
// Opening it changes nothing; only OK and "Auto scale" do.
class LightCurveAxisWindow : public QDialog {
  Q_OBJECT

 public:
  LightCurveAxisWindow(const lightcurve::AxisSettings& current, core::UserInterface& ui,
                       QWidget* parent = nullptr);

 signals:
  // OK with ranges that can be drawn; the window closes after it.
  void ranges_typed(const lightcurve::AxisSettings& settings);
  // "Auto scale": the ranges found from the records again.
  void auto_scale_chosen();

 private:
  void build();
  void accept_ranges();
  lightcurve::AxisWindowTexts typed_texts() const;

  core::WindowUserInterface ui_;  // messages owned by this window
  // Text1..Text8: hour from/to, C-K from/to, V-C from/to, C-K step, V-C step.
  std::array<QLineEdit*, 8> boxes_{};
};

}  // namespace orvane::ui
