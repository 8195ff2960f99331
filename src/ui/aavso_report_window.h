#pragma once

#include <QDialog>
#include <map>
#include <string>
#include <vector>

#include "core/user_interface.h"
#include "lightcurve/aavso_report.h"
#include "lightcurve/aavso_settings.h"
#include "lightcurve/light_curve_data.h"
#include "ui/workspace.h"

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace orvane::ui {

// "AAVSO report": the records in use as an AAVSO Extended file. The fields, the file as it will
// be written and what is wrong with it are shown together; every change is checked at once and
// "Save" stays off while any problem remains. The fields are kept in "orvane-aavso.ini" beside
// orvane.ini when the file is saved.
class AavsoReportWindow : public QDialog {
  Q_OBJECT

 public:
  AavsoReportWindow(Workspace& workspace, core::UserInterface& ui,
                    lightcurve::LightCurveData records, QWidget* parent = nullptr);

  QPlainTextEdit* preview() { return preview_; }
  QPlainTextEdit* problems() { return problems_; }
  QPushButton* save_button() { return save_button_; }

 private:
  void build();
  void fill(const lightcurve::AavsoTexts& texts);
  lightcurve::AavsoTexts texts() const;
  void update_report();
  void save();
  core::Result<std::vector<std::string>> header(const std::string& path);
  std::string settings_path() const;

  Workspace& workspace_;
  core::WindowUserInterface ui_;
  lightcurve::LightCurveData data_;
  lightcurve::AavsoReport report_;
  std::map<std::string, QLineEdit*> boxes_;  // by settings key
  std::map<std::string, QComboBox*> choices_;
  std::map<std::string, std::vector<std::string>> headers_;  // read once per frame
  std::map<std::string, std::string> header_errors_;
  QPlainTextEdit* preview_ = nullptr;
  QPlainTextEdit* problems_ = nullptr;
  QPushButton* save_button_ = nullptr;
};

}  // namespace orvane::ui
