#include "processing/batch_outcome.h"

#include "core/number_text.h"

namespace orvane::processing {
namespace {

std::string count(std::size_t n) {
  return core::str_trimmed(double(n));
}

std::string counts_line(const BatchOutcome& outcome, std::string_view done_word) {
  const std::size_t done = std::size_t(outcome.done);
  const std::size_t left = outcome.total > done ? outcome.total - done : 0;
  const char* how = outcome.end == BatchEnd::kCompleted   ? "Finished: "
                    : outcome.end == BatchEnd::kCancelled ? "Cancelled: "
                                                          : "Stopped: ";
  return how + count(done) + " of " + count(outcome.total) +
         (outcome.total == 1 ? " file " : " files ") + std::string(done_word) + ", " + count(left) +
         (outcome.end == BatchEnd::kCompleted ? " left out." : " not done.");
}

}  // namespace

std::string batch_summary(const BatchOutcome& outcome) {
  std::string text;
  const std::size_t skipped = outcome.skipped.size();
  if (skipped > 0) {
    text = count(skipped) + (skipped == 1 ? " file was" : " files were") + " left out:";
    for (const std::string& line : outcome.skipped) text += "\r\n" + line;
  }
  for (const std::string& line : outcome.warnings) {
    if (!text.empty()) text += "\r\n";
    text += line;
  }
  return text;
}

std::string batch_report(const BatchOutcome& outcome, std::string_view done_word) {
  if (outcome.end == BatchEnd::kDeclined) return "";
  std::string text = counts_line(outcome, done_word);
  for (const std::string& message : outcome.stop_messages) text += "\r\n" + message;
  if (std::string summary = batch_summary(outcome); !summary.empty()) text += "\r\n" + summary;
  return text;
}

}  // namespace orvane::processing
