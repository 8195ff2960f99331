#include "ui/window_position.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <vector>

#include "ui/picture_box.h"

namespace orvane::ui {
namespace {

// Room for the title bar and borders the window system adds round a window that is not shown
// yet (Qt does not know them before).
constexpr int kDecorationWidth = 16;
constexpr int kDecorationHeight = 48;
constexpr int kGap = 8;

QRect available_area(QPoint at) {
  QScreen* screen = QGuiApplication::screenAt(at);
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  return screen != nullptr ? screen->availableGeometry() : QRect(at, QSize(1 << 20, 1 << 20));
}

// The window's size with its frame, as far as it can be known.
QSize outer_size(const QWidget& window) {
  if (window.isVisible()) return window.frameGeometry().size();
  return window.size() + QSize(kDecorationWidth, kDecorationHeight);
}

}  // namespace

void restore_position(QWidget& window, const core::SettingsFile& settings,
                      core::SettingsWindow which) {
  auto stored = settings.position(which);
  if (!stored) return;
  QPoint place(stored->left / kTwipsPerPixel, stored->top / kTwipsPerPixel);
  if (QGuiApplication::screenAt(place) == nullptr) return;
  window.move(place);
}

QPoint on_screen(QPoint top_left, QSize size) {
  const QRect area = available_area(top_left);
  const int x = std::max(std::min(top_left.x(), area.right() + 1 - size.width()), area.left());
  const int y = std::max(std::min(top_left.y(), area.bottom() + 1 - size.height()), area.top());
  return {x, y};
}

void place_clear_of(QWidget& window, std::initializer_list<const QWidget*> open_windows,
                    const core::SettingsFile& settings, core::SettingsWindow which) {
  if (settings.position(which)) {
    auto stored = settings.position(which);
    // A stored place that is still on a screen wins; one off every screen is forgotten.
    if (QGuiApplication::screenAt(
            QPoint(stored->left / kTwipsPerPixel, stored->top / kTwipsPerPixel)) != nullptr) {
      return;
    }
  }
  std::vector<QRect> taken;
  for (const QWidget* other : open_windows) {
    if (other != nullptr && other->isVisible()) taken.push_back(other->frameGeometry());
  }
  if (taken.empty()) return;
  const QSize size = outer_size(window);
  std::vector<QPoint> candidates;
  for (const QRect& r : taken) candidates.push_back(r.topRight() + QPoint(kGap, 0));
  for (const QRect& r : taken) candidates.push_back(r.bottomLeft() + QPoint(0, kGap));
  // The first place, moved onto the screen, that covers the least of the open windows.
  QPoint best;
  long long least = -1;
  for (const QPoint& candidate : candidates) {
    const QPoint place = on_screen(candidate, size);
    long long covered = 0;
    for (const QRect& r : taken) {
      const QRect common = r & QRect(place, size);
      if (!common.isEmpty()) covered += 1LL * common.width() * common.height();
    }
    if (least < 0 || covered < least) least = covered, best = place;
  }
  window.move(best);
}

void set_whole_caption(QWidget& window, const QString& caption) {
  // Room the window system takes from the title bar for its icon and buttons.
  constexpr int kTitleButtons = 140;
  const QFontMetrics metrics(QGuiApplication::font());
  const int screen_width = available_area(window.pos()).width();
  const int text_room = std::max(screen_width - kTitleButtons - kDecorationWidth, 100);
  const QString shown = metrics.elidedText(caption, Qt::ElideMiddle, text_room);
  window.setWindowTitle(shown);
  window.setMinimumWidth(
      std::min(metrics.horizontalAdvance(shown) + kTitleButtons, screen_width - kDecorationWidth));
}

void store_position(const QWidget& window, core::SettingsFile& settings,
                    core::SettingsWindow which) {
  // Wayland tells clients nothing of where their windows are.
  if (QGuiApplication::platformName().startsWith("wayland") && settings.position(which)) return;
  QPoint place = window.pos();
  settings.set_position(which, {place.x() * kTwipsPerPixel, place.y() * kTwipsPerPixel});
}

}  // namespace orvane::ui
