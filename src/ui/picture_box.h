#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>
#include <cstdint>
#include <optional>

#include "display/rgb_image.h"

namespace orvane::ui {

inline constexpr int kTwipsPerPixel = 15;

// A persistent drawing surface: what is drawn stays until it is cleared. Pixel writes go
// straight into the canvas memory and the widget repaints once on refresh(). Coordinates are
// canvas pixels; mouse positions are reported in twips (15 per pixel) or, with a user scale,
// in user units.
class PictureBox : public QWidget {
  Q_OBJECT

 public:
  explicit PictureBox(QWidget* parent = nullptr);

  // Takes the picture as the canvas without copying its pixels.
  void set_canvas(display::RgbImage picture);
  // A new canvas of the given size filled with one colour.
  void reset_canvas(int width, int height, std::uint32_t colour = display::grey(0));
  int canvas_width() const { return picture_.width; }
  int canvas_height() const { return picture_.height; }
  const display::RgbImage& picture() const { return picture_; }
  display::RgbImage& picture() { return picture_; }
  // A copy of the canvas (painting never detaches the canvas from its pixels).
  QImage image() const { return image_.copy(); }

  // A user scale: the canvas spans user x left .. left + width and y top .. top + height.
  void set_user_scale(double left, double top, double width, double height);
  void clear_user_scale() { user_scale_.reset(); }

  // Drawing in canvas pixels (or user units with a user scale); outside the canvas is dropped.
  // None of them repaints: call refresh() once after a batch.
  void set_pixel(int x, int y, std::uint32_t colour) { picture_.set(x, y, colour); }
  std::uint32_t pixel(int x, int y) const { return picture_.at(x, y); }
  void point(double x, double y, std::uint32_t colour);
  void line(double x1, double y1, double x2, double y2, std::uint32_t colour);
  void circle(double cx, double cy, double radius, std::uint32_t colour);
  void fill_box(double x1, double y1, double x2, double y2, std::uint32_t colour);
  // pixel_size > 0 sets the letters' height in canvas pixels.
  void text(double x, double y, const QString& text, std::uint32_t colour, int pixel_size = 0);
  void clear(std::uint32_t colour = display::grey(255));
  void refresh() { update(); }

  QSize sizeHint() const override;

 signals:
  void mouse_down(Qt::MouseButton button, bool shift, double x, double y);
  void mouse_move(Qt::MouseButtons buttons, bool shift, double x, double y);
  void double_clicked(Qt::MouseButton button, bool shift, double x, double y);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  struct UserScale {
    double left, top, width, height;
  };
  QPointF to_canvas(double x, double y) const;
  QPointF from_widget(QPointF widget_point) const;
  // A painter over the canvas with the user scale applied.
  template <typename Draw>
  void paint_on_canvas(Draw draw);

  display::RgbImage picture_;
  QImage image_;
  std::optional<UserScale> user_scale_;
};

}  // namespace orvane::ui
