#pragma once

#include <functional>
#include <optional>
#include <string>

#include "display/rgb_image.h"
#include "photometry/position_table.h"

namespace orvane::ui {

class ImageWindow;

// How a command that changed the frame wants it shown again.
struct FrameChange {
  // The statistics line when the command has it already (undo computes it on the way).
  std::optional<std::string> statistics = std::nullopt;
  // Range and background chosen again from the frame ("Auto"), or kept.
  bool auto_contrast = true;
  // Rebuild the picture only when the image window is open (undo), or open it anyway.
  bool picture_only_if_open = false;
  // Commands whose result the picture shows only at its next redraw (the noise filters) leave
  // it as it is.
  bool rebuild_picture = true;
  // The marks, the profile line and the magnifier go with the old picture, as after a rebuild
  // from the Display menu.
  bool reset_markers = false;
};

// What the main window does for the windows beside it, so they need not know its class: the
// marks on the picture, the sky rows, the star positions and the step that shows a changed
// frame.
class SharedProcedures {
 public:
  virtual ~SharedProcedures() = default;

  // Reads a FITS file into the frame with the hourglass shown and shows it; a refused file is
  // told with the reader's message and false is returned.
  virtual bool read_frame(const std::string& path) = 0;
  // Hides the main window's "Automatic" button.
  virtual void hide_automatic_button() = 0;

  // Statistics line, contrast, picture rebuilt (the magnifier closes with it), "UnDo" item.
  virtual void frame_changed(const FrameChange& change) = 0;

  // The main window's range and background boxes show the display state's values, and the
  // picture is drawn again with them.
  virtual void contrast_chosen() = 0;

  // Draws the star marks while they are on ("Cross off"), otherwise redraws their pixels from
  // the frame, which takes them away.
  virtual void aperture_draw() = 0;
  // The same for the three search-span squares.
  virtual void search_span_draw() = 0;
  // Takes the star marks away if they are shown; the button reads "Cross on" again.
  virtual void marks_off() = 0;

  // Shows or hides the sky-position rows of the main window.
  virtual void label_on() = 0;
  virtual void label_off() = 0;

  // Puts a position into the position table and into the slot's two boxes.
  virtual void set_position(int slot, photometry::Position position) = 0;

  // Closes the image window and opens it again on the frame as it is, with the profile line
  // when line_mode is 1 (the marks go with the old picture).
  virtual void open_picture() = 0;
  // Closes the image window and the magnifier.
  virtual void close_picture() = 0;
  // The image window while it is open, else null.
  virtual ImageWindow* image_window() const = 0;
  // `opened` is handed every image window as it opens, to follow its mouse commands.
  virtual void watch_picture(std::function<void(ImageWindow& window)> opened) = 0;
  // Display scale 1, as the Display menu's "Image" chooses it: the item checked, the marker
  // state reset, the image window opened again at full scale and the magnifier closed.
  virtual void show_full_scale() = 0;
  // The image window's picture as it is drawn, marks included; none while the window is closed.
  virtual const display::RgbImage* shown_picture() const = 0;
};

}  // namespace orvane::ui
