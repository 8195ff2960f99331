#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace orvane::processing {

// How a run over a list of files ended.
enum class BatchEnd {
  kCompleted,  // every file was taken in turn
  kDeclined,   // the opening question was answered Cancel: nothing was touched
  kCancelled,  // Cancel in the progress window: the run stopped after the current file
  kStopped,    // a refusal or a failure stopped the run; stop_messages say why
};

// What a batch did. Batches show nothing while they run but their question and the progress
// window; the caller tells the outcome once, after the progress window has closed.
struct BatchOutcome {
  BatchEnd end = BatchEnd::kCompleted;
  int done = 0;           // files rewritten (or composites written)
  std::size_t total = 0;  // files in the list (or composites the list makes)
  // One line per file left out, naming it and saying why.
  std::vector<std::string> skipped;
  // One line per written file whose values were changed to fit, e.g. limited by the writer.
  std::vector<std::string> warnings;
  // What stopped the run (kStopped), naming the file and the reason: one message each.
  std::vector<std::string> stop_messages;
};

// The lines about files left out and values changed, e.g. "2 files were left out:" followed by
// one line per file, then the warnings; empty when there is nothing to say.
std::string batch_summary(const BatchOutcome& outcome);

// The one message that ends a batch in the desktop program: how many were done and how many
// left, e.g. "Finished: 12 of 13 files processed, 1 left out.", then the stop message and the
// summary. done_word names what was done ("processed", "written"). Empty for a declined run.
std::string batch_report(const BatchOutcome& outcome, std::string_view done_word);

// The line added to a message that stops a run part way.
inline constexpr const char* kStoppedHere =
    "The run stopped at this file: the files before it are done, the files after it untouched.";

}  // namespace orvane::processing
