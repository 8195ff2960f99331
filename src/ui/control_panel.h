#pragma once

#include <QLabel>
#include <QWidget>
#include <map>

class QLineEdit;
class QPushButton;

namespace orvane::ui {

// A label that reports clicks ("Search span").
class ClickableLabel : public QLabel {
  Q_OBJECT

 public:
  using QLabel::QLabel;

 signals:
  void clicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
};

// The column of labelled boxes and buttons of the main window, rows top to bottom: contrast,
// statistics, star positions, cursor read-out, photometry results, aperture and search span.
// Controls keep their historical names (Text1, Label20, Command6, ...) as objectName.
class ControlPanel : public QWidget {
  Q_OBJECT

 public:
  explicit ControlPanel(QWidget* parent = nullptr);

  QLineEdit* text(int number) const { return texts_.at(number); }
  QLabel* label(int number) const { return labels_.at(number); }
  QPushButton* command(int number) const { return commands_.at(number); }
  ClickableLabel* search_span_label() const { return search_span_label_; }

  // The sky-position rows (their labels and boxes) shown or hidden together.
  void set_sky_rows_visible(bool visible);

 private:
  QLineEdit* make_text(int number, int width);
  QLabel* make_label(int number, const QString& caption);
  QPushButton* make_command(int number, const QString& caption);

  std::map<int, QLineEdit*> texts_;
  std::map<int, QLabel*> labels_;
  std::map<int, QPushButton*> commands_;
  ClickableLabel* search_span_label_ = nullptr;
};

}  // namespace orvane::ui
