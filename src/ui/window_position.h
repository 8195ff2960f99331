#pragma once

#include <QPoint>
#include <QSize>
#include <QWidget>
#include <initializer_list>

#include "core/settings_file.h"

namespace orvane::ui {

// Moves the window to its stored place (twips), unless none is stored or the place lies off
// every screen, in which case it stays where the window system put it.
void restore_position(QWidget& window, const core::SettingsFile& settings,
                      core::SettingsWindow which);

// A top-left corner for a window of the given size so that it lies on the available area of
// the screen under the corner (or the main screen): a window running past the right or bottom
// edge moves left or up until it fits, and never past the left or top edge.
QPoint on_screen(QPoint top_left, QSize size);

// Gives a window that has no stored place (or one off every screen) a default one beside the
// windows already open: right of one of them or below one, moved onto the screen, whichever
// covers the least of them.
void place_clear_of(QWidget& window, std::initializer_list<const QWidget*> open_windows,
                    const core::SettingsFile& settings, core::SettingsWindow which);

// Sets the window's caption and makes the window wide enough for the window system to show
// all of it beside its buttons; a caption wider than the screen is shortened in the middle, so
// both the start of a path and the file name stay readable.
void set_whole_caption(QWidget& window, const QString& caption);

// Stores the window's place (its frame's left and top) in twips. Where the window system
// reports no positions (every window at 0,0) the stored place is kept.
void store_position(const QWidget& window, core::SettingsFile& settings,
                    core::SettingsWindow which);

}  // namespace orvane::ui
