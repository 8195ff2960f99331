#include "ui/composite_window.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace orvane::ui {

CompositeWindow::CompositeWindow(Workspace& workspace, core::UserInterface& ui, QWidget* parent)
    : FolderWindow("Form21", core::SettingsWindow::kForm21, workspace, ui, parent) {
  setWindowTitle("Auto Composite");
  const char* const kCaptions[] = {"3 pictures", "5 pictures", "7 pictures"};
  for (int i = 0; i < 3; ++i) {
    choices_[i] = new QRadioButton(kCaptions[i], this);
    choices_[i]->setObjectName(QStringLiteral("Option%1").arg(i + 1));
    extras()->addWidget(choices_[i], 0, i);
  }
  choices_[0]->setChecked(true);
}

int CompositeWindow::pictures() const {
  return choices_[2]->isChecked() ? 7 : choices_[1]->isChecked() ? 5 : 3;
}

ScalingCardsWindow::ScalingCardsWindow(Workspace& workspace, core::UserInterface& ui,
                                       QWidget* parent)
    : FolderWindow("Form22", core::SettingsWindow::kForm22, workspace, ui, parent) {
  setWindowTitle("Change BZERO and BSCALE");
  const auto add_value = [this](int column, const char* label_name, const char* caption,
                                const char* box_name, const char* text) {
    auto* label = new QLabel(caption, this);
    label->setObjectName(label_name);
    auto* box = new QLineEdit(text, this);
    box->setObjectName(box_name);
    extras()->addWidget(label, 0, column);
    extras()->addWidget(box, 0, column + 1);
    return box;
  };
  bzero_ = add_value(0, "Label1", "BZERO", "Text2", "0");
  bscale_ = add_value(2, "Label2", "BSCALE", "Text3", "1");
}

std::string ScalingCardsWindow::bzero_text() const {
  return bzero_->text().toStdString();
}

std::string ScalingCardsWindow::bscale_text() const {
  return bscale_->text().toStdString();
}

}  // namespace orvane::ui
