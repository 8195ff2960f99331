#include "processing/batch_outcome.h"

#include "core/number_text.h"

namespace orvane::processing {

std::string batch_summary(const BatchOutcome& outcome) {
  std::string text;
  const std::size_t count = outcome.skipped.size();
  if (count > 0) {
    text = core::str_trimmed(double(count)) + (count == 1 ? " file was" : " files were") +
           " left out:";
    for (const std::string& line : outcome.skipped) text += "\r\n" + line;
  }
  for (const std::string& line : outcome.warnings) {
    if (!text.empty()) text += "\r\n";
    text += line;
  }
  return text;
}

}  // namespace orvane::processing
