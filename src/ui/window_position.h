#pragma once

#include <QWidget>

#include "core/settings_file.h"

namespace orvane::ui {

// Moves the window to its stored place (twips), unless none is stored or the place lies off
// every screen, in which case it stays where the window system put it.
void restore_position(QWidget& window, const core::SettingsFile& settings,
                      core::SettingsWindow which);

// Puts a window that has no stored place just right of the anchor window, so a new window
// does not cover the one it belongs to.
void place_beside(QWidget& window, const QWidget& anchor, const core::SettingsFile& settings,
                  core::SettingsWindow which);

// Stores the window's place (its frame's left and top) in twips. Where the window system
// reports no positions (every window at 0,0) the stored place is kept.
void store_position(const QWidget& window, core::SettingsFile& settings,
                    core::SettingsWindow which);

}  // namespace orvane::ui
