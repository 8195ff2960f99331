#pragma once

#include <string>
#include <vector>

#include "core/image_frame.h"
#include "core/user_interface.h"
#include "processing/batch_outcome.h"

namespace orvane::processing {

// "Continuous processing" of a list of files with one dark frame (subtracted) or one flat field
// (divided, keeping the flat's mean level). Each file is read into the frame with the frame's
// read-time settings, corrected and rewritten in place with its own BITPIX; the file is replaced
// atomically, so it is either the old file or the new one.
//
// The run asks first ("Is a continuous processing of a dark frame executed ?", naming an active
// read-time calculation); Cancel touches nothing. Then "UnDo" becomes unavailable, the progress
// window shows "Progress DARK" (or "Progress FLAT") and "Progress 1", "Progress 2", ... with each
// file's path, and Cancel there stops after the current file. Left out, each with a line in the
// closing message: names that are not FITS names, the reference itself, BITPIX -32 files
// (rewriting them as integers would lose their fractions) and files whose size differs from the
// reference's. Stopping the run with a message naming the file, files before it done and files
// after it untouched: a refused reference (before any file), a file that cannot be read or
// written, and a file whose results would exceed its BITPIX range (left unchanged).
//
// files are full paths, in processing order. The frame ends holding the last file read, with
// file_path set; the caller shows nothing else (there is no redraw after a batch).
BatchOutcome continuous_dark(core::ImageFrame& frame, const std::string& dark_path,
                             const std::vector<std::string>& files, core::UserInterface& ui);
BatchOutcome continuous_flat(core::ImageFrame& frame, const std::string& flat_path,
                             const std::vector<std::string>& files, core::UserInterface& ui);

// The opening question, e.g. "Is a continuous processing of a dark frame executed ?", with the
// active read-time calculation named on a second line.
std::string continuous_question(bool dark, const core::ImageFrame& frame);

}  // namespace orvane::processing
