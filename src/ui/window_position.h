#pragma once

#include <QPoint>
#include <QSize>
#include <QWidget>
#include <initializer_list>
#include <optional>
#include <vector>

#include "core/settings_file.h"

namespace orvane::ui {

// The window's stored place (its frame's top left corner, in pixels), unless none is stored or
// it lies off every screen.
std::optional<QPoint> stored_place(const core::SettingsFile& settings, core::SettingsWindow which);

// Puts the window's frame (title bar and borders included) at the place, also before the
// window is shown.
void move_frame(QWidget& window, QPoint frame_top_left);

// Moves the window to its stored place (twips), unless none is stored or the place lies off
// every screen, in which case it stays where the window system put it.
void restore_position(QWidget& window, const core::SettingsFile& settings,
                      core::SettingsWindow which);

// A window without a stored place (or one off every screen) opens at the top left of the
// main screen's available area, so the windows opened beside it find room.
void place_first(QWidget& window, const core::SettingsFile& settings, core::SettingsWindow which);

// Where a window whose inside wants `inside` goes beside the main window: its frame right of
// the main window's (below it when less than a third of the screen is left on the right), and
// no larger than the room from there to the screen's edges.
QRect frame_beside(const QWidget& main_window, QSize inside);

// The room for a window's frame from its top left corner to the right and bottom edges of the
// available area, and the inside of a frame of that size.
QSize room_from(QPoint frame_top_left);
QSize inside_of(QSize frame);

// A top-left corner for a window of the given size so that it lies on the available area of
// the screen under the corner (or the main screen): a window running past the right or bottom
// edge moves left or up until it fits, and never past the left or top edge.
QPoint on_screen(QPoint top_left, QSize size);

// Gives a window that has no stored place (or one off every screen) a default one beside the
// windows already open: right of one of them or below one, moved onto the screen, whichever
// covers the least of them.
void place_clear_of(QWidget& window, std::initializer_list<const QWidget*> open_windows,
                    const core::SettingsFile& settings, core::SettingsWindow which);
// The same for a window whose place is never stored.
void place_clear_of(QWidget& window, const std::vector<const QWidget*>& open_windows);

// A window without a stored place (or one off every screen) goes just below `above`, moved
// onto the screen.
void place_below(QWidget& window, const QWidget& above, const core::SettingsFile& settings,
                 core::SettingsWindow which);
// The same for a window whose place orvane.ini does not keep.
void place_below(QWidget& window, const QWidget& above);

// Sets the window's caption and makes the window wide enough for the window system to show
// all of it beside its buttons; a caption wider than the screen is shortened in the middle, so
// both the start of a path and the file name stay readable.
void set_whole_caption(QWidget& window, const QString& caption);

// Stores the window's place (its frame's left and top) in twips. Where the window system
// reports no positions (every window at 0,0) the stored place is kept.
void store_position(const QWidget& window, core::SettingsFile& settings,
                    core::SettingsWindow which);

}  // namespace orvane::ui
