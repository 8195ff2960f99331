#pragma once

#include <QLabel>
#include <QWidget>
#include <map>

class QGridLayout;
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

  // Contrast.
  QLineEdit* range_box() const { return texts_.at(1); }
  QLineEdit* background_box() const { return texts_.at(2); }
  QPushButton* range_up_button() const { return commands_.at(1); }
  QPushButton* range_down_button() const { return commands_.at(2); }
  QPushButton* background_up_button() const { return commands_.at(3); }
  QPushButton* background_down_button() const { return commands_.at(4); }
  QPushButton* auto_contrast_button() const { return commands_.at(5); }
  QLabel* statistics_label() const { return labels_.at(20); }
  // The active read-time calculation, or nothing when text is empty; true when the line came
  // or went.
  bool show_read_calculation(const QString& text);

  // Star positions by slot 1..6 (comparison, its sky, variable, its sky, check, its sky).
  QLineEdit* position_x_box(int slot) const;
  QLineEdit* position_y_box(int slot) const;
  QLineEdit* position_mode_box() const { return texts_.at(11); }

  // Cursor read-out.
  QLineEdit* cursor_x_box() const { return texts_.at(12); }
  QLineEdit* cursor_y_box() const { return texts_.at(13); }
  QLineEdit* level_box() const { return texts_.at(14); }

  // Photometry.
  QPushButton* photometry_button() const { return commands_.at(6); }
  QPushButton* cross_button() const { return commands_.at(7); }
  QPushButton* automatic_button() const { return commands_.at(8); }
  QPushButton* end_of_auto_button() const { return commands_.at(9); }
  QLineEdit* comp_magnitude_box() const { return texts_.at(15); }
  QLineEdit* var_magnitude_box() const { return texts_.at(16); }
  QLineEdit* check_magnitude_box() const { return texts_.at(23); }
  QLineEdit* aperture_box() const { return texts_.at(17); }
  QLineEdit* search_span_box() const { return texts_.at(18); }
  ClickableLabel* search_span_label() const { return search_span_label_; }

  // The sky-position rows (their labels and boxes) shown or hidden together.
  void set_sky_rows_visible(bool visible);

 private:
  QLineEdit* make_text(int number, int width);
  QLabel* make_label(int number, const QString& caption);
  QPushButton* make_command(int number, const QString& caption);
  QLabel* section(int number, const QString& caption);

  // Rows of the grid, top to bottom; each adds itself at row_ and moves it on.
  void star_row(QWidget* left, int label, const QString& caption, int x_box, int y_box);
  void result_row(QWidget* left, int label, const QString& caption, int box);
  void contrast_row(QWidget* left, int label, const QString& caption, int box, int plus);
  void build_contrast_rows();
  void build_position_rows();
  void build_cursor_rows();
  void build_photometry_rows();

  QGridLayout* grid_ = nullptr;
  int row_ = 0;

  std::map<int, QLineEdit*> texts_;
  std::map<int, QLabel*> labels_;
  std::map<int, QPushButton*> commands_;
  ClickableLabel* search_span_label_ = nullptr;
  QLabel* read_calculation_label_ = nullptr;
};

}  // namespace orvane::ui
