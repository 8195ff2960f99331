#include "ui/picture_box.h"

#include <QFont>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>

#include "picture/picture_image.h"

namespace orvane::ui {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  reset_canvas(1, 1);
}

void PictureBox::set_canvas(display::RgbImage picture) {
  picture_ = std::move(picture);
  if (picture_.width <= 0 || picture_.height <= 0) {
    image_ = QImage();
  } else {
    image_ = picture::wrap(picture_);
  }
  setFixedSize(std::max(picture_.width, 1), std::max(picture_.height, 1));
  update();
}

void PictureBox::reset_canvas(int width, int height, std::uint32_t colour) {
  display::RgbImage picture(width, height);
  std::fill(picture.pixels.begin(), picture.pixels.end(), colour);
  set_canvas(std::move(picture));
}

void PictureBox::set_user_scale(double left, double top, double width, double height) {
  user_scale_ = UserScale{left, top, width, height};
}

QPointF PictureBox::to_canvas(double x, double y) const {
  if (!user_scale_) return {x, y};
  return {(x - user_scale_->left) * picture_.width / user_scale_->width,
          (y - user_scale_->top) * picture_.height / user_scale_->height};
}

QPointF PictureBox::from_widget(QPointF p) const {
  if (!user_scale_) return p * kTwipsPerPixel;
  return {user_scale_->left + p.x() * user_scale_->width / std::max(picture_.width, 1),
          user_scale_->top + p.y() * user_scale_->height / std::max(picture_.height, 1)};
}

template <typename Draw>
void PictureBox::paint_on_canvas(Draw draw) {
  if (image_.isNull()) return;
  QPainter painter(&image_);
  draw(painter);
}

void PictureBox::point(double x, double y, std::uint32_t colour) {
  QPointF p = to_canvas(x, y);
  set_pixel(static_cast<int>(std::floor(p.x())), static_cast<int>(std::floor(p.y())), colour);
}

void PictureBox::line(double x1, double y1, double x2, double y2, std::uint32_t colour) {
  paint_on_canvas([&](QPainter& painter) {
    painter.setPen(QColor::fromRgb(colour));
    painter.drawLine(to_canvas(x1, y1), to_canvas(x2, y2));
  });
}

void PictureBox::circle(double cx, double cy, double radius, std::uint32_t colour) {
  paint_on_canvas([&](QPainter& painter) {
    painter.setPen(QColor::fromRgb(colour));
    painter.setBrush(Qt::NoBrush);
    QPointF centre = to_canvas(cx, cy);
    QPointF edge = to_canvas(cx + radius, cy);
    double r = std::abs(edge.x() - centre.x());
    painter.drawEllipse(centre, r, r);
  });
}

void PictureBox::fill_box(double x1, double y1, double x2, double y2, std::uint32_t colour) {
  paint_on_canvas([&](QPainter& painter) {
    painter.fillRect(QRectF(to_canvas(x1, y1), to_canvas(x2, y2)).normalized(),
                     QColor::fromRgb(colour));
  });
}

void PictureBox::text(double x, double y, const QString& text, std::uint32_t colour,
                      int pixel_size) {
  paint_on_canvas([&](QPainter& painter) {
    painter.setPen(QColor::fromRgb(colour));
    if (pixel_size > 0) {
      QFont font = painter.font();
      font.setPixelSize(pixel_size);
      painter.setFont(font);
    }
    QPointF at = to_canvas(x, y);
    painter.drawText(QRectF(at, QSizeF(picture_.width, picture_.height)),
                     Qt::AlignLeft | Qt::AlignTop, text);
  });
}

void PictureBox::clear(std::uint32_t colour) {
  std::fill(picture_.pixels.begin(), picture_.pixels.end(), colour);
}

QSize PictureBox::sizeHint() const {
  return {picture_.width, picture_.height};
}

void PictureBox::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  // One canvas pixel per logical pixel, whatever the screen's pixel ratio.
  painter.drawImage(event->rect(), image_, event->rect());
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
  QPointF p = from_widget(event->position());
  emit mouse_down(event->button(), event->modifiers() & Qt::ShiftModifier, p.x(), p.y());
}

void PictureBox::mouseMoveEvent(QMouseEvent* event) {
  QPointF p = from_widget(event->position());
  emit mouse_move(event->buttons(), event->modifiers() & Qt::ShiftModifier, p.x(), p.y());
}

void PictureBox::mouseDoubleClickEvent(QMouseEvent* event) {
  QPointF p = from_widget(event->position());
  emit double_clicked(event->button(), event->modifiers() & Qt::ShiftModifier, p.x(), p.y());
}

}  // namespace orvane::ui
