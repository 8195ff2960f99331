#include "ui/control_panel.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

namespace orvane::ui {
namespace {

constexpr int kBoxWidth = 64;
constexpr int kWideBoxWidth = 132;
constexpr int kStepButtonWidth = 28;

// Grid columns: section titles and buttons, row labels, x boxes, y boxes, step buttons.
enum Column { kSection = 0, kRowLabel = 1, kFirstBox = 2, kSecondBox = 3, kStep = 4 };

QFrame* make_rule(const char* name) {
  auto* rule = new QFrame;
  rule->setObjectName(name);
  rule->setFrameShape(QFrame::HLine);
  rule->setFrameShadow(QFrame::Sunken);
  return rule;
}

}  // namespace

void ClickableLabel::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit clicked();
  QLabel::mousePressEvent(event);
}

QLineEdit* ControlPanel::make_text(int number, int width) {
  auto* box = new QLineEdit(this);
  box->setObjectName(QStringLiteral("Text%1").arg(number));
  box->setFixedWidth(width);
  texts_[number] = box;
  return box;
}

QLabel* ControlPanel::make_label(int number, const QString& caption) {
  auto* label = new QLabel(caption, this);
  label->setObjectName(QStringLiteral("Label%1").arg(number));
  labels_[number] = label;
  return label;
}

QPushButton* ControlPanel::make_command(int number, const QString& caption) {
  auto* button = new QPushButton(caption, this);
  button->setObjectName(QStringLiteral("Command%1").arg(number));
  commands_[number] = button;
  return button;
}

ControlPanel::ControlPanel(QWidget* parent) : QWidget(parent) {
  grid_ = new QGridLayout(this);
  grid_->setHorizontalSpacing(6);
  grid_->setVerticalSpacing(4);
  build_contrast_rows();
  build_position_rows();
  build_cursor_rows();
  build_photometry_rows();
  grid_->setRowStretch(row_, 1);
}

QLabel* ControlPanel::section(int number, const QString& caption) {
  QLabel* label = make_label(number, caption);
  QFont title_font = font();
  title_font.setBold(true);
  label->setFont(title_font);
  return label;
}

void ControlPanel::star_row(QWidget* left, int label, const QString& caption, int x_box,
                            int y_box) {
  if (left != nullptr) grid_->addWidget(left, row_, kSection);
  grid_->addWidget(make_label(label, caption), row_, kRowLabel);
  grid_->addWidget(make_text(x_box, kBoxWidth), row_, kFirstBox);
  grid_->addWidget(make_text(y_box, kBoxWidth), row_, kSecondBox);
  ++row_;
}

void ControlPanel::result_row(QWidget* left, int label, const QString& caption, int box) {
  if (left != nullptr) grid_->addWidget(left, row_, kSection);
  grid_->addWidget(make_label(label, caption), row_, kRowLabel);
  grid_->addWidget(make_text(box, kWideBoxWidth), row_, kFirstBox, 1, 2);
  ++row_;
}

// A value box with its "+" and "-" step buttons.
void ControlPanel::contrast_row(QWidget* left, int label, const QString& caption, int box,
                                int plus) {
  result_row(left, label, caption, box);
  int column = kStep;
  for (const char* sign : {"+", "-"}) {
    QPushButton* button = make_command(plus++, sign);
    button->setFixedWidth(kStepButtonWidth);
    grid_->addWidget(button, row_ - 1, column++);
  }
}

void ControlPanel::build_contrast_rows() {
  contrast_row(section(1, "Contrast"), 2, "Range", 1, 1);
  contrast_row(make_command(5, "Auto"), 3, "Background", 2, 3);
  grid_->addWidget(make_label(20, "max 0 / min 0 / ave 0"), row_++, kSection, 1, 6);
  // Says while files are read with a calculation applied, so no frame is taken for raw data.
  read_calculation_label_ = new QLabel(this);
  read_calculation_label_->setObjectName("read_calculation");
  read_calculation_label_->setStyleSheet("color: #b00000");
  read_calculation_label_->hide();
  grid_->addWidget(read_calculation_label_, row_++, kSection, 1, 6);
  auto* rules = new QHBoxLayout;
  for (const char* name : {"Line1", "Line2", "Line3"}) rules->addWidget(make_rule(name));
  grid_->addLayout(rules, row_++, kSection, 1, 6);
}

// Star positions; Text11 shows the position mode under the section title.
void ControlPanel::build_position_rows() {
  star_row(section(4, "Position"), 17, "Check star", 19, 20);
  QLineEdit* mode = make_text(11, kBoxWidth + 30);
  mode->setReadOnly(true);
  mode->setFocusPolicy(Qt::NoFocus);
  star_row(mode, 5, "Comparison", 3, 4);
  star_row(nullptr, 7, "Variable", 7, 8);
  star_row(nullptr, 18, "SKY for chk.", 21, 22);
  star_row(nullptr, 6, "SKY for comp.", 5, 6);
  star_row(nullptr, 8, "SKY for var.", 9, 10);
}

void ControlPanel::build_cursor_rows() {
  grid_->addWidget(section(9, "Cursor"), row_, kSection);
  QLabel* x_label = make_label(10, "X");
  x_label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  grid_->addWidget(x_label, row_, kRowLabel);
  grid_->addWidget(make_text(12, kBoxWidth), row_, kFirstBox);
  auto* y_pair = new QHBoxLayout;
  y_pair->addSpacing(8);
  y_pair->addWidget(make_label(11, "Y"));
  y_pair->addWidget(make_text(13, kBoxWidth));
  y_pair->addStretch();
  grid_->addLayout(y_pair, row_++, kSecondBox, 1, 3);
  QLabel* level = make_label(12, "Level");
  level->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  grid_->addWidget(level, row_, kRowLabel);
  grid_->addWidget(make_text(14, kWideBoxWidth), row_++, kFirstBox, 1, 2);
}

void ControlPanel::build_photometry_rows() {
  result_row(make_command(6, "Photometry"), 19, "Check star", 23);
  result_row(make_command(8, "Automatic"), 14, "Comparison", 15);
  result_row(make_command(9, "End of Auto"), 15, "Variable", 16);
  result_row(nullptr, 13, "Aperture", 17);
  search_span_label_ = new ClickableLabel("Search span", this);
  search_span_label_->setObjectName("Label16");
  search_span_label_->setCursor(Qt::PointingHandCursor);
  labels_[16] = search_span_label_;
  grid_->addWidget(make_command(7, "Cross on"), row_, kSection);
  grid_->addWidget(search_span_label_, row_, kRowLabel);
  grid_->addWidget(make_text(18, kBoxWidth), row_++, kFirstBox);
}

QLineEdit* ControlPanel::position_x_box(int slot) const {
  static constexpr int kBoxes[] = {0, 3, 5, 7, 9, 19, 21};
  return texts_.at(kBoxes[slot]);
}

QLineEdit* ControlPanel::position_y_box(int slot) const {
  static constexpr int kBoxes[] = {0, 4, 6, 8, 10, 20, 22};
  return texts_.at(kBoxes[slot]);
}

void ControlPanel::set_sky_rows_visible(bool visible) {
  for (int number : {6, 8, 18}) labels_.at(number)->setVisible(visible);
  for (int number : {5, 6, 9, 10, 21, 22}) texts_.at(number)->setVisible(visible);
}

bool ControlPanel::show_read_calculation(const QString& text) {
  read_calculation_label_->setText(text);
  const bool changed = read_calculation_label_->isHidden() != text.isEmpty();
  read_calculation_label_->setHidden(text.isEmpty());
  return changed;
}

}  // namespace orvane::ui
