#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/result.h"
#include "core/user_interface.h"
#include "processing/batch_outcome.h"

namespace orvane::processing {

// The new values of the BZERO and BSCALE cards, each right-aligned in the 21 columns 10-30.
struct ScalingFields {
  std::string bzero;
  std::string bscale;
};

// The two texts as typed (blanks around them dropped) as card fields. Refused with a message: a
// text longer than 21 characters, a text that is not a number, and a BSCALE of 0 (every value
// would read as BZERO).
core::Result<ScalingFields> scaling_fields(std::string_view bzero_text,
                                           std::string_view bscale_text);

// Rewrites the BZERO and BSCALE cards of one FITS file: every such card before the END card
// (columns 1-8 "END" and five blanks; ENDTIME does not end the header) gets the new field in
// columns 10-30, its columns 1-9 and 31-80 kept. Cards are only changed, never added; the data
// and every other byte stay as they were. The file is replaced atomically, and only when a card
// actually changes. Returns whether the file was rewritten; refused when the file has no END card.
core::Result<bool> change_scaling_cards(const std::string& path, const ScalingFields& fields);

// "Change BZERO and BSCALE" over a list of files (full paths), in place. The texts are checked
// before any file is touched (a refusal is the outcome's stop_messages). The progress window
// shows "Progress Auto Composite" and each path; Cancel stops after the current file. Names that
// are not FITS names, files that cannot be read and files without an END card are left out with
// a line in the outcome; a file that cannot be written stops the run with its message. Nothing
// is shown at the end: the caller tells the outcome.
BatchOutcome change_bzero_bscale(const std::vector<std::string>& files, std::string_view bzero_text,
                                 std::string_view bscale_text, core::UserInterface& ui);

}  // namespace orvane::processing
