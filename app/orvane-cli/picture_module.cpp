// The module "orvane-cli-pictures.so": everything of the tool that needs Qt Gui.
#include "picture_module.h"

#include <QGuiApplication>
#include <QImage>
#include <QString>
#include <QtGlobal>
#include <cstdio>

#include "core/text_file.h"
#include "picture/chart_painter.h"
#include "picture/picture_writer.h"

namespace orvane::cli {
namespace {

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

core::Status write_charts(const lightcurve::ChartDrawing& top,
                          const lightcurve::ChartDrawing& bottom, int width, int height,
                          const std::string& path, const std::string& format) {
  // Text needs fonts, which need a GUI application; the offscreen platform needs no display.
  QuietQt quiet;
  int argc = 3;
  char name[] = "orvane-cli", platform_option[] = "-platform", platform[] = "offscreen";
  char* argv[] = {name, platform_option, platform, nullptr};
  QGuiApplication application(argc, argv);
  const core::Result<std::string> bytes =
      picture::encode(picture::paint_charts(top, bottom, width, height), format, -1);
  if (!bytes) return core::Error{path + ": " + bytes.error()};
  return core::write_file_atomically(path, *bytes);
}

}  // namespace
}  // namespace orvane::cli

extern "C" const orvane::cli::PictureFunctions* orvane_picture_functions() {
  static const orvane::cli::PictureFunctions kFunctions{&orvane::picture::write_picture,
                                                        &orvane::cli::write_charts};
  return &kFunctions;
}
