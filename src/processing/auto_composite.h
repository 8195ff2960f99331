#pragma once

#include <string>
#include <vector>

#include "core/fits_reader.h"
#include "core/user_interface.h"
#include "processing/batch_outcome.h"

namespace orvane::processing {

// "Auto Composite": for every file of the series with (pictures - 1) / 2 neighbours on each side
// in the list, the mean of those pictures (3, 5 or 7), pixel by pixel, rounded halves to even,
// written as "c3_", "c5_" or "c7_" + the centre file's name with the centre file's header and
// BITPIX (a BITPIX -32 centre as 32). Files are read with the given read-time settings, each
// once: the frames of a window stay in memory as it slides along the series. The run works in
// buffers of its own: the frame in memory is not touched.
//
// The progress window shows "Progress Auto Composite" and the centre file's name; Cancel stops
// after the current composite. A window whose members differ in size from its centre frame is
// left out (a line in the outcome names the file). A member that cannot be read ends the run
// with the reader's message and "File read error" as the outcome's stop_messages; composites
// written before stay. A series shorter than pictures produces nothing.
//
// files are full paths in series order; output_folder empty puts each composite beside its
// centre file. Nothing is shown at the end: the caller tells the outcome.
BatchOutcome auto_composite(const core::ReadOptions& options, const std::vector<std::string>& files,
                            int pictures, const std::string& output_folder,
                            core::UserInterface& ui);

// Where the composite of pictures centred on the file goes: "c3_" + its name, in output_folder
// or, when that is empty, beside the file.
std::string composite_output_path(const std::string& centre_path, int pictures,
                                  const std::string& output_folder);

}  // namespace orvane::processing
