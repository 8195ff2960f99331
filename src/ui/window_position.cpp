#include "ui/window_position.h"

#include <QGuiApplication>
#include <QScreen>

#include "ui/picture_box.h"

namespace orvane::ui {

void restore_position(QWidget& window, const core::SettingsFile& settings,
                      core::SettingsWindow which) {
  auto stored = settings.position(which);
  if (!stored) return;
  QPoint place(stored->left / kTwipsPerPixel, stored->top / kTwipsPerPixel);
  if (QGuiApplication::screenAt(place) == nullptr) return;
  window.move(place);
}

void place_beside(QWidget& window, const QWidget& anchor, const core::SettingsFile& settings,
                  core::SettingsWindow which) {
  if (settings.position(which)) return;
  window.move(anchor.frameGeometry().topRight() + QPoint(8, 0));
}

void store_position(const QWidget& window, core::SettingsFile& settings,
                    core::SettingsWindow which) {
  // Wayland tells clients nothing of where their windows are.
  if (QGuiApplication::platformName().startsWith("wayland") && settings.position(which)) return;
  QPoint place = window.pos();
  settings.set_position(which, {place.x() * kTwipsPerPixel, place.y() * kTwipsPerPixel});
}

}  // namespace orvane::ui
