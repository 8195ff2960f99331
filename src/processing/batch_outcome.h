#pragma once

#include <string>
#include <vector>

namespace orvane::processing {

// How a run over a list of files ended.
enum class BatchEnd {
  kCompleted,  // every file was taken in turn
  kDeclined,   // the opening question was answered Cancel: nothing was touched
  kCancelled,  // Cancel in the progress window: the run stopped after the current file
  kStopped,    // a refusal or a failure stopped the run; its message has been shown
};

struct BatchOutcome {
  BatchEnd end = BatchEnd::kCompleted;
  int done = 0;  // files rewritten (or written, for composites)
  // One line per file left out, naming it and saying why.
  std::vector<std::string> skipped;
  // One line per written file whose values were changed to fit, e.g. clipped by the writer.
  std::vector<std::string> warnings;
};

// The message that ends a run that left files out or changed values, e.g.
// "2 files were left out:" followed by one line per file; empty when there is nothing to say.
std::string batch_summary(const BatchOutcome& outcome);

// The line added to a message that stops a run part way.
inline constexpr const char* kStoppedHere =
    "The run stopped at this file: the files before it are done, the files after it untouched.";

}  // namespace orvane::processing
