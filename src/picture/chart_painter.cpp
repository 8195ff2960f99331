#include "picture/chart_painter.h"

#include <QColor>
#include <QCoreApplication>
#include <QFont>
#include <QGuiApplication>
#include <QPainter>
#include <QPen>
#include <QRect>
#include <QString>

namespace orvane::picture {
namespace {

using Kind = lightcurve::ChartPrimitive::Kind;

// Labels are about 11 pixels high, so a label printed 5 pixels above its grid line sits on it.
constexpr int kTextPixels = 11;

bool fonts_available() {
  return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

void paint(QPainter& painter, const lightcurve::ChartPrimitive& p, int width, int height) {
  const QColor colour = QColor::fromRgb(p.colour);
  switch (p.kind) {
    case Kind::kFill:
      painter.fillRect(QRect(p.x1, p.y1, p.x2 - p.x1, p.y2 - p.y1).normalized(), colour);
      break;
    case Kind::kLine:
      painter.setPen(QPen(colour, 1));
      painter.drawLine(p.x1, p.y1, p.x2, p.y2);
      break;
    case Kind::kText:
      if (!fonts_available()) break;
      painter.setPen(colour);
      painter.drawText(QRect(p.x1, p.y1, width, height), Qt::AlignLeft | Qt::AlignTop,
                       QString::fromStdString(p.text));
      break;
    case Kind::kPoint: {
      const int half = p.pen_width / 2;
      painter.fillRect(p.x1 - half, p.y1 - half, p.pen_width, p.pen_width, colour);
      break;
    }
  }
}

}  // namespace

void paint_chart(QImage& canvas, const lightcurve::ChartDrawing& drawing) {
  if (canvas.isNull()) return;
  QPainter painter(&canvas);
  painter.setRenderHint(QPainter::Antialiasing, false);
  if (fonts_available()) {
    QFont font = painter.font();
    font.setPixelSize(kTextPixels);
    painter.setFont(font);
  }
  for (const auto& p : drawing.primitives) paint(painter, p, canvas.width(), canvas.height());
}

QImage paint_charts(const lightcurve::ChartDrawing& top, const lightcurve::ChartDrawing& bottom,
                    int width, int height) {
  QImage picture(width, 2 * height, QImage::Format_RGB32);
  QPainter painter(&picture);
  for (const lightcurve::ChartDrawing* drawing : {&top, &bottom}) {
    QImage chart(width, height, QImage::Format_RGB32);
    paint_chart(chart, *drawing);
    painter.drawImage(0, drawing == &top ? 0 : height, chart);
  }
  painter.end();
  return picture;
}

}  // namespace orvane::picture
