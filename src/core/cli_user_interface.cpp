#include "core/cli_user_interface.h"

#include <unistd.h>

namespace orvane::core {

CliUserInterface::CliUserInterface(std::FILE* out)
    : out_(out), terminal_(::isatty(::fileno(stderr)) == 1) {}

void CliUserInterface::message(std::string_view text, std::string_view /*title*/) {
  std::string line = one_line(text);
  line += '\n';
  std::fwrite(line.data(), 1, line.size(), out_);
  std::fflush(out_);
}

// Nobody is there to answer: the command line asked for the work, so it goes ahead.
bool CliUserInterface::ask_ok_cancel(std::string_view /*text*/, std::string_view /*title*/) {
  return true;
}

// Progress lines would only clutter a log or a pipe, so they are shown on a terminal only.
bool CliUserInterface::progress(std::string_view caption, std::string_view label,
                                ProgressCount /*count*/) {
  if (terminal_) {
    std::string line(caption);
    line += ": ";
    line += label;
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), stderr);
  }
  return true;
}

std::string CliUserInterface::one_line(std::string_view text) {
  std::string line;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      line += " / ";
    } else {
      line += c;
    }
  }
  return line;
}

}  // namespace orvane::core
