#pragma once

#include <QDialog>

#include "core/user_interface.h"
#include "photometry/photometry_settings.h"
#include "photometry/sky_area.h"
#include "ui/shared_procedures.h"

class QLabel;
class QLineEdit;

namespace orvane::ui {

// "Sky area set" ("Form11"): the aperture size and the sky ring, checked before they are
// taken. Nothing is stored until OK succeeds.
class SkyAreaWindow : public QDialog {
  Q_OBJECT

 public:
  SkyAreaWindow(photometry::PhotometrySettings& settings, SharedProcedures& procedures,
                core::UserInterface& ui, QWidget* parent = nullptr);

  // Shows the window modally (without blocking), after warning when the current area is
  // already too small.
  void start();

 private:
  void build();
  void show_outside_maximum();
  void standard();
  void accept_area();

  photometry::PhotometrySettings& settings_;
  core::WindowUserInterface ui_;  // messages owned by this window
  photometry::SkyArea area_;      // the window's working copy
  QLineEdit* aperture_box_ = nullptr;
  QLineEdit* inside_box_ = nullptr;
  QLineEdit* outside_box_ = nullptr;
  QLabel* maximum_label_ = nullptr;
};

}  // namespace orvane::ui
