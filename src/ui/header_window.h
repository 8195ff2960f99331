#pragma once

#include <QWidget>

#include "ui/workspace.h"

class QPlainTextEdit;

namespace orvane::ui {

// The header cards of the loaded file ("Form3"), one card a line.
class HeaderWindow : public QWidget {
  Q_OBJECT

 public:
  explicit HeaderWindow(Workspace& workspace, QWidget* parent = nullptr);

  QPlainTextEdit* text() { return text_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  Workspace& workspace_;
  QPlainTextEdit* text_ = nullptr;
};

}  // namespace orvane::ui
