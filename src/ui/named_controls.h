#pragma once

#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace orvane::ui {

// Controls carry the names the program has always given them ("Label3", "Text1",
// "Command2") as their objectName, so windows are built and found the same way everywhere.
QLabel* named_label(const char* name, const QString& caption, QWidget* parent);
// width 0 leaves the box its natural width.
QLineEdit* named_box(const char* name, QWidget* parent, int width = 0);
// Buttons never act on Enter by themselves: Enter belongs to the box it is typed in.
QPushButton* named_button(const char* name, const QString& caption, QWidget* parent);

}  // namespace orvane::ui
