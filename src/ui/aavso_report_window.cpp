#include "ui/aavso_report_window.h"

#include <QComboBox>
#include <QDateTime>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <filesystem>

#include "core/fits_header.h"
#include "ui/named_controls.h"

namespace orvane::ui {
namespace {

QString qt(const std::string& text) {
  return QString::fromStdString(text);
}

double now_jd() {
  return 2440587.5 + static_cast<double>(QDateTime::currentSecsSinceEpoch()) / 86400.0;
}

struct BoxField {
  const char* key;
  const char* caption;
};
constexpr BoxField kBoxes[] = {{"OBSCODE", "Observer code"},
                               {"STARID", "Star (AAVSO name)"},
                               {"COMPMAG", "Comparison magnitude"},
                               {"BAND", "Filter (Rc is written R, Ic I)"},
                               {"CNAME", "Comparison label"},
                               {"KNAME", "Check label"},
                               {"CHART", "Chart"},
                               {"NOTES", "Notes"},
                               {"RA", "RA J2000 (HH MM SS.s)"},
                               {"DEC", "Dec J2000 (+DD MM SS)"},
                               {"SITE", "Site LAT,LON (east +)"},
                               {"MAGERR", "MAGERR (auto, na or a value)"},
                               {"DELIM", "Delimiter (or tab)"},
                               {"FILE", "File"}};

struct ChoiceField {
  const char* key;
  const char* caption;
  QStringList items;
};

}  // namespace

AavsoReportWindow::AavsoReportWindow(Workspace& workspace, core::UserInterface& ui,
                                     lightcurve::LightCurveData records, QWidget* parent)
    : QDialog(parent),
      workspace_(workspace),
      ui_(ui, static_cast<QWidget*>(this)),
      data_(std::move(records)) {
  setObjectName("aavso_report_window");
  setWindowTitle("AAVSO report");
  build();
  lightcurve::AavsoTexts texts = lightcurve::read_aavso_settings(settings_path());
  const auto fallback = [&](const char* key, const std::string& text) {
    if (texts[key].empty()) texts[key] = text;
  };
  fallback("OBSCODE", workspace_.observer.code);
  fallback("COMPMAG", workspace_.light_curve.comp_magnitude);
  fallback("BAND", workspace_.observer.band);
  fallback("BAND", "V");
  fallback("MAGERR", "auto");
  fallback("DELIM", ",");
  fallback("FILE", workspace_.current_folder + "/aavso.txt");
  fill(texts);
  update_report();
}

void AavsoReportWindow::build() {
  auto* form = new QFormLayout;
  for (const BoxField& field : kBoxes) {
    QLineEdit* box = named_box((std::string("aavso_") + field.key).c_str(), this);
    boxes_[field.key] = box;
    form->addRow(field.caption, box);
    connect(box, &QLineEdit::textChanged, this, &AavsoReportWindow::update_report);
  }
  const ChoiceField choices[] = {{"DATE", "Date", {"JD", "HJD"}},
                                 {"TIMEZONE", "Records' time zone (hours ahead of UT)", {"0", "9"}},
                                 {"OBSTYPE", "Camera", {"CCD", "DSLR"}}};
  for (const ChoiceField& field : choices) {
    auto* box = new QComboBox(this);
    box->setObjectName(QString("aavso_") + field.key);
    box->addItems(field.items);
    choices_[field.key] = box;
    form->addRow(field.caption, box);
    connect(box, &QComboBox::currentTextChanged, this, &AavsoReportWindow::update_report);
  }
  auto* scale = new QLabel(
      "Magnitudes are written on Pogson's scale: V - C and K - C are multiplied by "
      "2.5/2.511886432.",
      this);
  scale->setWordWrap(true);
  preview_ = new QPlainTextEdit(this);
  preview_->setObjectName("aavso_preview");
  problems_ = new QPlainTextEdit(this);
  problems_->setObjectName("aavso_problems");
  for (QPlainTextEdit* text : {preview_, problems_}) {
    text->setReadOnly(true);
    text->setLineWrapMode(QPlainTextEdit::NoWrap);
    text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  }
  save_button_ = named_button("aavso_save", "Save", this);
  QPushButton* close_button = named_button("aavso_close", "Close", this);
  connect(save_button_, &QPushButton::clicked, this, &AavsoReportWindow::save);
  connect(close_button, &QPushButton::clicked, this, &QDialog::reject);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(save_button_);
  buttons->addWidget(close_button);
  auto* right = new QVBoxLayout;
  right->addWidget(new QLabel("File", this));
  right->addWidget(preview_, 3);
  right->addWidget(new QLabel("Problems", this));
  right->addWidget(problems_, 1);
  auto* left = new QVBoxLayout;
  left->addLayout(form);
  left->addWidget(scale);
  left->addStretch(1);
  auto* columns = new QHBoxLayout;
  columns->addLayout(left);
  columns->addLayout(right, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(columns);
  layout->addLayout(buttons);
  resize(1100, 560);
}

void AavsoReportWindow::fill(const lightcurve::AavsoTexts& texts) {
  for (auto& [key, box] : boxes_) {
    auto found = texts.find(key);
    if (found != texts.end()) box->setText(qt(found->second));
  }
  for (auto& [key, box] : choices_) {
    auto found = texts.find(key);
    if (found != texts.end()) box->setCurrentText(qt(found->second));
  }
}

lightcurve::AavsoTexts AavsoReportWindow::texts() const {
  lightcurve::AavsoTexts texts;
  for (const auto& [key, box] : boxes_) texts[key] = box->text().toStdString();
  for (const auto& [key, box] : choices_) texts[key] = box->currentText().toStdString();
  return texts;
}

core::Result<std::vector<std::string>> AavsoReportWindow::header(const std::string& path) {
  if (auto found = headers_.find(path); found != headers_.end()) return found->second;
  if (auto found = header_errors_.find(path); found != header_errors_.end()) {
    return core::Error{found->second};
  }
  auto cards = core::read_header_cards(path);
  if (cards) {
    headers_[path] = *cards;
  } else {
    header_errors_[path] = cards.error();
  }
  return cards;
}

void AavsoReportWindow::update_report() {
  if (boxes_.size() != std::size(kBoxes) || choices_.size() != 3) return;  // still building
  std::vector<std::string> problems;
  const lightcurve::AavsoFields fields =
      lightcurve::aavso_fields_from_texts(texts(), now_jd(), problems);
  report_ = lightcurve::build_aavso_report(
      data_, fields, [this](const std::string& path) { return header(path); });
  for (const std::string& p : report_.problems) problems.push_back(p);
  if (boxes_["FILE"]->text().isEmpty()) problems.push_back("FILE: no file name");
  preview_->setPlainText(qt(report_.text).replace("\r\n", "\n"));
  std::string text;
  for (const std::string& p : problems) text += p + "\n";
  problems_->setPlainText(problems.empty() ? QString("none: the file may be sent") : qt(text));
  save_button_->setEnabled(problems.empty());
}

void AavsoReportWindow::save() {
  const std::string path = boxes_["FILE"]->text().toStdString();
  if (auto written = lightcurve::write_aavso_report(report_, path); !written) {
    ui_.message(written.error());
    return;
  }
  if (auto kept = lightcurve::write_aavso_settings(settings_path(), texts()); !kept) {
    ui_.message(kept.error());
  }
  ui_.message("Completion, file name is " + path);
}

std::string AavsoReportWindow::settings_path() const {
  // Beside orvane.ini.
  return (std::filesystem::path(workspace_.settings_path).parent_path() /
          lightcurve::kAavsoSettingsName)
      .string();
}

}  // namespace orvane::ui
