// The module "orvane-cli-pictures.so": everything of the tool that needs Qt Gui.
#include "picture_module.h"

#include <QBuffer>
#include <QByteArray>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QtGlobal>
#include <cstdio>

#include "ui/chart_painter.h"

namespace orvane::cli {
namespace {

bool encode_image(const QImage& image, const char* format, int quality, std::string& bytes) {
  QByteArray encoded;
  QBuffer buffer(&encoded);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, format, quality)) return false;
  bytes.assign(encoded.constData(), static_cast<std::size_t>(encoded.size()));
  return true;
}

bool encode(const display::RgbImage& picture, const char* format, int quality, std::string& bytes) {
  // The picture's words are already QImage's RGB32 layout: wrap them without copying.
  const QImage image(reinterpret_cast<const uchar*>(picture.pixels.data()), picture.width,
                     picture.height, picture.width * 4, QImage::Format_RGB32);
  return encode_image(image, format, std::string_view(format) == "JPG" ? quality : -1, bytes);
}

// Qt's own notes while it starts (such as a missing runtime folder) are not the program's
// messages; only its critical errors are passed on.
class QuietQt {
 public:
  QuietQt() : previous_(qInstallMessageHandler(&QuietQt::handle)) {}
  ~QuietQt() { qInstallMessageHandler(previous_); }
  QuietQt(const QuietQt&) = delete;
  QuietQt& operator=(const QuietQt&) = delete;

 private:
  static void handle(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
      std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
    }
  }
  QtMessageHandler previous_;
};

bool encode_charts(const lightcurve::ChartDrawing& top, const lightcurve::ChartDrawing& bottom,
                   int width, int height, const char* format, std::string& bytes) {
  // Text needs fonts, which need a GUI application; the offscreen platform needs no display.
  QuietQt quiet;
  int argc = 3;
  char name[] = "orvane-cli", platform_option[] = "-platform", platform[] = "offscreen";
  char* argv[] = {name, platform_option, platform, nullptr};
  QGuiApplication application(argc, argv);

  QImage picture(width, 2 * height, QImage::Format_RGB32);
  QPainter painter(&picture);
  for (const lightcurve::ChartDrawing* drawing : {&top, &bottom}) {
    QImage chart(width, height, QImage::Format_RGB32);
    ui::paint_chart(chart, *drawing);
    painter.drawImage(0, drawing == &top ? 0 : height, chart);
  }
  painter.end();
  return encode_image(picture, format, -1, bytes);
}

}  // namespace
}  // namespace orvane::cli

extern "C" const orvane::cli::PictureFunctions* orvane_picture_functions() {
  static const orvane::cli::PictureFunctions kFunctions{&orvane::cli::encode,
                                                        &orvane::cli::encode_charts};
  return &kFunctions;
}
