#pragma once

#include <string>
#include <vector>

#include "core/fits_reader.h"
#include "core/user_interface.h"
#include "processing/batch_outcome.h"

namespace orvane::processing {

// "Continuous processing" of a list of files with one dark frame (subtracted) or one flat field
// (divided, keeping the flat's mean level). Each file is read with the given read-time settings
// into a buffer of the run's own, corrected and rewritten in place with its own BITPIX; the file
// is replaced atomically, so it is either the old file or the new one. The frame in memory, its
// picture and its undo copy are not touched.
//
// The run asks first ("Is a continuous processing of a dark frame executed ?", naming an active
// read-time calculation); Cancel touches nothing. Then the progress window shows "Progress DARK"
// (or "Progress FLAT") and "Progress 1", "Progress 2", ... with each file's path, and Cancel
// there stops after the current file. Left out, each with a line in the outcome: names that are
// not FITS names, the reference itself, BITPIX -32 files (rewriting them as integers would lose
// their fractions) and files whose size differs from the reference's. Results beyond a file's
// BITPIX range are limited as every save limits them; the run goes on and the outcome's
// warnings name each such file with the counts. Stopping the run with the outcome's
// stop_messages naming the file, files before it done and files after it untouched: a refused
// reference (before any file), and a file that cannot be read or written.
//
// files are full paths, in processing order. Nothing is shown at the end: the caller tells the
// outcome (batch_report) once the progress window has closed.
BatchOutcome continuous_dark(const core::ReadOptions& options, const std::string& dark_path,
                             const std::vector<std::string>& files, core::UserInterface& ui);
BatchOutcome continuous_flat(const core::ReadOptions& options, const std::string& flat_path,
                             const std::vector<std::string>& files, core::UserInterface& ui);

// The opening question, e.g. "Is a continuous processing of a dark frame executed ?", with the
// active read-time calculation named on a second line.
std::string continuous_question(bool dark, const core::ReadOptions& options);

}  // namespace orvane::processing
