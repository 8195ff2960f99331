#include "ui/window_position.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
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
// The least room a window is given, whatever the screen has left.
constexpr int kMinimumRoom = 200;

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

// Until the window system has framed a newly shown window, Qt does not know the size of the
// title bar and borders, and a resize in that time (a layout settling, the panel fitting its
// rows) asks for the inside of the window at the frame's place: the window comes up a title
// bar lower than asked, and the place stored at exit creeps up at every start. This watcher
// looks a few times a second until the frame is known, puts the frame back where it was asked,
// and goes. (No event is sure to come: the inside may not move when the frame arrives.)
class FrameKeeper : public QObject {
 public:
  FrameKeeper(QWidget& window, QPoint frame_top_left)
      : QObject(&window), window_(window), place_(frame_top_left) {
    auto* timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, &FrameKeeper::look);
    timer->start(kLookEveryMs);
  }

 private:
  // Without a window manager no frame ever comes; the watcher does not stay for good.
  static constexpr int kLookEveryMs = 50;
  static constexpr int kLooks = 60;

  void look() {
    const bool framed = window_.isVisible() && window_.frameGeometry() != window_.geometry();
    if (framed && window_.frameGeometry().topLeft() != place_) window_.move(place_);
    if (framed || ++looks_ >= kLooks) deleteLater();
  }

  QWidget& window_;
  QPoint place_;
  int looks_ = 0;
};

}  // namespace

void move_frame(QWidget& window, QPoint frame_top_left) {
  // The place is that of the frame, title bar included, as it is stored.
  window.move(frame_top_left);
  if (!window.isVisible()) new FrameKeeper(window, frame_top_left);
}

std::optional<QPoint> stored_place(const core::SettingsFile& settings, core::SettingsWindow which) {
  auto stored = settings.position(which);
  if (!stored) return std::nullopt;
  const QPoint place(stored->left / kTwipsPerPixel, stored->top / kTwipsPerPixel);
  if (QGuiApplication::screenAt(place) == nullptr) return std::nullopt;
  return place;
}

void restore_position(QWidget& window, const core::SettingsFile& settings,
                      core::SettingsWindow which) {
  if (auto place = stored_place(settings, which)) move_frame(window, *place);
}

void place_first(QWidget& window, const core::SettingsFile& settings, core::SettingsWindow which) {
  if (stored_place(settings, which)) return;
  QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  move_frame(window, screen->availableGeometry().topLeft() + QPoint(kGap, kGap));
}

QRect frame_beside(const QWidget& main_window, QSize inside) {
  const QRect main = main_window.frameGeometry();
  const QRect area = available_area(main.center());
  const QSize wanted = inside + QSize(kDecorationWidth, kDecorationHeight);
  // Right of the main window while at least a third of the screen's width is left there, else
  // below it; never above or left of the screen's edges.
  QPoint place = main.topRight() + QPoint(kGap, 0);
  if (area.right() + 1 - place.x() < area.width() / 3) place = main.bottomLeft() + QPoint(0, kGap);
  place = QPoint(std::max(place.x(), area.left()), std::max(place.y(), area.top()));
  const QSize room(std::max(area.right() + 1 - place.x(), kMinimumRoom),
                   std::max(area.bottom() + 1 - place.y(), kMinimumRoom));
  return {place, wanted.boundedTo(room)};
}

QSize room_from(QPoint frame_top_left) {
  const QRect area = available_area(frame_top_left);
  return {std::max(area.right() + 1 - frame_top_left.x(), kMinimumRoom),
          std::max(area.bottom() + 1 - frame_top_left.y(), kMinimumRoom)};
}

QSize inside_of(QSize frame) {
  return {std::max(frame.width() - kDecorationWidth, kMinimumRoom / 2),
          std::max(frame.height() - kDecorationHeight, kMinimumRoom / 2)};
}

QPoint on_screen(QPoint top_left, QSize size) {
  const QRect area = available_area(top_left);
  const int x = std::max(std::min(top_left.x(), area.right() + 1 - size.width()), area.left());
  const int y = std::max(std::min(top_left.y(), area.bottom() + 1 - size.height()), area.top());
  return {x, y};
}

void place_clear_of(QWidget& window, std::initializer_list<const QWidget*> open_windows,
                    const core::SettingsFile& settings, core::SettingsWindow which) {
  // A stored place that is still on a screen wins; one off every screen is forgotten.
  if (stored_place(settings, which)) return;
  place_clear_of(window, std::vector<const QWidget*>(open_windows));
}

void place_clear_of(QWidget& window, const std::vector<const QWidget*>& open_windows) {
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
  move_frame(window, best);
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

void place_below(QWidget& window, const QWidget& above, const core::SettingsFile& settings,
                 core::SettingsWindow which) {
  if (!stored_place(settings, which)) place_below(window, above);
}

void place_below(QWidget& window, const QWidget& above) {
  QRect frame = above.frameGeometry();
  // A window shown a moment ago may not be framed yet: its title bar and borders still to come.
  if (frame == above.geometry()) frame.adjust(0, 0, kDecorationWidth, kDecorationHeight);
  const QPoint corner = frame.bottomLeft() + QPoint(0, kGap);
  move_frame(window, on_screen(corner, outer_size(window)));
}

void store_position(const QWidget& window, core::SettingsFile& settings,
                    core::SettingsWindow which) {
  // Wayland tells clients nothing of where their windows are.
  if (QGuiApplication::platformName().startsWith("wayland") && settings.position(which)) return;
  QPoint place = window.pos();
  settings.set_position(which, {place.x() * kTwipsPerPixel, place.y() * kTwipsPerPixel});
}

}  // namespace orvane::ui
