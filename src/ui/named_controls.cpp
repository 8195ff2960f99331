#include "ui/named_controls.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace orvane::ui {

QLabel* named_label(const char* name, const QString& caption, QWidget* parent) {
  auto* label = new QLabel(caption, parent);
  label->setObjectName(name);
  return label;
}

QLineEdit* named_box(const char* name, QWidget* parent, int width) {
  auto* box = new QLineEdit(parent);
  box->setObjectName(name);
  if (width > 0) box->setFixedWidth(width);
  return box;
}

QPushButton* named_button(const char* name, const QString& caption, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  button->setAutoDefault(false);
  return button;
}

}  // namespace orvane::ui
